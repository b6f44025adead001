#include "common/ListPane.h"

#include "common/CreateBitmapMenuItem.h"
#include "common/RowDeletionNotice.h"

#include <pelmora/BitmapLoader.h>
#include <pelmora/EditorConfig.h>
#include <pelmora/HostManager.h>
#include <pelmora/pmDataViewHyperlinkRenderer.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/xrc/xmlres.h>

namespace {
constexpr int kImageSize = 16;
} // namespace

const ListPane::MenuEntry ListPane::kSeparator{nullptr, wxString(), -1};

ListPane::ListPane(RecordStore* db, HostManager* mgr, wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE), m_mgr(mgr), m_db(db)
{
    SetSizer(new wxBoxSizer(wxVERTICAL));
}

ListPane::~ListPane()
{
    if(m_list && m_sortIgnored) {
        m_list->Unbind(wxEVT_DATAVIEW_COLUMN_SORTED, &ListPane::OnColumnSorted, this);
    }
    if(auto* notice = dynamic_cast<RowDeletionNotice*>(m_model.get())) {
        notice->SetRowDeletionHooks({}, {}); // the control may keep the model
    }
    if(m_list && m_selectionFilter) {
        m_list->RemoveEventHandler(m_selectionFilter.get());
    }
    m_model.reset(nullptr);
    m_images.reset();
    SaveColumnConfig();
    // The control keeps a pointer to the layout and would follow the user's
    // changes into it while it is torn down: it lets go before the object goes.
    if(m_list) {
        m_list->SetConfig(nullptr);
    }
    m_config.reset();
}

void ListPane::CreateList(wxDataViewModel* model, long style)
{
    m_model = wxObjectDataPtr<wxDataViewModel>(model);
    m_list = new pmDataViewCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, style);
    m_list->AssociateModel(model);
    if(auto* notice = dynamic_cast<RowDeletionNotice*>(model)) {
        notice->SetRowDeletionHooks([this](unsigned int row) { BeforeRowDeleted(row); },
                                    [this](unsigned int row) { AfterRowDeleted(row); });
        m_selectionFilter = std::make_unique<wxEvtHandler>();
        m_selectionFilter->Bind(wxEVT_DATAVIEW_SELECTION_CHANGED, &ListPane::OnSelectionChanged, this);
        m_selectionFilter->Bind(wxEVT_DATAVIEW_ITEM_ACTIVATED, &ListPane::OnItemActivated, this);
        m_list->PushEventHandler(m_selectionFilter.get());
    }
}

void ListPane::BeforeRowDeleted(unsigned int row)
{
    const auto* rows = dynamic_cast<const wxDataViewVirtualListModel*>(m_model.get());
    if(!rows || !m_list) {
        return;
    }
    m_rowDeleting = true;
    const wxDataViewItem current = m_list->GetCurrentItem();
    m_cursorDeleted = current.IsOk() && rows->GetRow(current) == row;
    m_keptRows.clear();
    wxDataViewItemArray selection;
    m_list->GetSelections(selection);
    for(const wxDataViewItem& item : selection) {
        const unsigned int selected = rows->GetRow(item);
        if(selected != row) {
            m_keptRows.push_back(selected > row ? selected - 1 : selected);
        }
    }
}

void ListPane::AfterRowDeleted(unsigned int /*row*/)
{
    const auto* rows = dynamic_cast<const wxDataViewVirtualListModel*>(m_model.get());
    m_rowDeleting = false;
    if(!rows || !m_list || !m_cursorDeleted) {
        return; // the toolkit moved nothing
    }
    m_cursorDeleted = false;
    m_list->UnselectAll();
    for(unsigned int kept : m_keptRows) {
        m_list->Select(rows->GetItem(kept));
    }
    m_unchosenCursor = m_list->GetCurrentItem();
}

void ListPane::OnSelectionChanged(wxDataViewEvent& event)
{
    if(m_rowDeleting) {
        return; // the toolkit's choice, undone when the row is gone
    }
    m_unchosenCursor = wxDataViewItem();
    event.Skip();
}

void ListPane::OnItemActivated(wxDataViewEvent& event)
{
    if(m_unchosenCursor.IsOk() && event.GetItem() == m_unchosenCursor &&
       !m_list->IsSelected(event.GetItem())) {
        return; // Enter on the row the toolkit moved to, not one the trader chose
    }
    event.Skip();
}

void ListPane::AppendColumns(const std::vector<ListColumn>& table)
{
    for(const ListColumn& row : SortByModelColumn(table)) {
        wxDataViewColumn* column = nullptr;
        if(wxDataViewRenderer* renderer = CreateRenderer(row)) {
            column = new wxDataViewColumn(row.title, renderer, static_cast<unsigned int>(row.modelColumn),
                                          row.width, static_cast<wxAlignment>(row.alignment),
                                          wxDATAVIEW_COL_RESIZABLE);
            m_list->AppendColumn(column);
        } else if(HasIcon(row)) {
            column = m_list->AppendIconTextColumn(row.title, static_cast<unsigned int>(row.modelColumn),
                                                  static_cast<wxDataViewCellMode>(row.mode), row.width,
                                                  row.alignment, wxDATAVIEW_COL_RESIZABLE);
        } else {
            column = m_list->AppendTextColumn(row.title, static_cast<unsigned int>(row.modelColumn),
                                              static_cast<wxDataViewCellMode>(row.mode), row.width,
                                              row.alignment, wxDATAVIEW_COL_RESIZABLE);
        }
        // Before the control is shown the toolkit reports no width: the
        // column's width is then the one it was given (none when it sizes
        // itself to its contents).
        const int reported = column->GetWidth();
        const int width = reported > 0 ? reported : row.width;
        if(width > 0) {
            column->SetMinWidth(width);
        }
    }
}

wxDataViewRenderer* ListPane::CreateRenderer(const ListColumn& column)
{
    wxUnusedVar(column);
    return nullptr;
}

pmDataViewHyperlinkRenderer* ListPane::CreateLinkRenderer(const ListColumn& column)
{
    auto* renderer = new pmDataViewHyperlinkRenderer(static_cast<wxDataViewCellMode>(column.mode),
                                                     wxDVR_DEFAULT_ALIGNMENT);
    renderer->HookMouseEvent();
    renderer->SetFlags(pmDataViewHyperlinkRenderer::kUnderline);
    if(!m_linksBound) {
        // The click travels up from the control to the pane.
        Bind(wxEVT_DATAVIEW_LINK_CLICKED, &ListPane::OnLinkClicked, this);
        m_linksBound = true;
    }
    return renderer;
}

void ListPane::LoadImages(std::initializer_list<const char*> names)
{
    m_images = std::make_unique<wxImageList>(kImageSize, kImageSize, true, 1);
    BitmapLoader* loader = m_mgr ? m_mgr->GetImageLoader() : nullptr;
    if(!loader) {
        return;
    }
    for(const char* name : names) {
        wxBitmap bitmap = loader->LoadBitmap(name);
        // Every image takes one slot, so the pane's indices hold.
        if(bitmap.IsOk() && (bitmap.GetWidth() != kImageSize || bitmap.GetHeight() != kImageSize)) {
            bitmap = wxBitmap(bitmap.ConvertToImage().Rescale(kImageSize, kImageSize, wxIMAGE_QUALITY_HIGH));
        }
        m_images->Add(bitmap);
    }
}

void ListPane::PlaceList()
{
    GetSizer()->Add(m_list, 1, wxEXPAND | wxALL, 0);
    Layout();
}

void ListPane::IgnoreColumnSort()
{
    if(m_list && !m_sortIgnored) {
        m_list->Bind(wxEVT_DATAVIEW_COLUMN_SORTED, &ListPane::OnColumnSorted, this);
        m_sortIgnored = true;
    }
}

void ListPane::OnColumnSorted(wxDataViewEvent& event)
{
    // Handled without skipping: the rows keep the order of the table.
    wxUnusedVar(event);
}

void ListPane::ReadColumnConfig(const wxString& name, std::unique_ptr<pmDataViewCtrlConfig> config)
{
    if(!config) {
        config = std::make_unique<pmDataViewCtrlConfig>(m_list);
    }
    // The control must not keep the layout object about to go.
    if(m_list && m_config && m_list->GetConfig() == m_config.get()) {
        m_list->SetConfig(nullptr);
    }
    m_configName = name;
    m_config = std::move(config);
    EditorConfigST::Get()->LoadObject(m_configName, m_config.get());
}

void ListPane::ApplyColumnConfig()
{
    if(m_list && m_config) {
        m_list->SetConfig(m_config.get());
    }
}

void ListPane::LoadColumnConfig(const wxString& name)
{
    ReadColumnConfig(name);
    ApplyColumnConfig();
}

void ListPane::SaveColumnConfig()
{
    if(m_config && !m_configName.empty()) {
        EditorConfigST::Get()->SaveObject(m_configName, m_config.get());
    }
}

wxMenu* ListPane::InitContextMenu(const std::vector<MenuEntry>& entries)
{
    auto* menu = new wxMenu(wxEmptyString);
    for(const MenuEntry& entry : entries) {
        if(!entry.id) {
            menu->AppendSeparator();
            continue;
        }
        const bool hasImage = m_images && entry.image >= 0 && entry.image < m_images->GetImageCount();
        menu->Append(CreateBitmapMenuItem(menu, XRCID(entry.id), entry.label,
                                          hasImage ? m_images->GetBitmap(entry.image) : wxNullBitmap));
    }
    m_list->InitMenu(menu);
    return menu;
}
