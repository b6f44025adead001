#include "pelmora/pmDataViewCtrl.h"

#include "ColumnFitter.h"
#include "GtkTreeColumns.h"
#include "GtkTreeRows.h"
#include "IconTextCellRenderer.h"
#include "TextCellRenderer.h"
#include "pelmora/pmDataViewCtrlConfig.h"

#include <algorithm>
#include <vector>
#include <wx/menu.h>
#include <wx/time.h>

pmDataViewCtrl::pmDataViewCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                               long style, const wxValidator& validator, const wxString& name)
    : wxDataViewCtrl(parent, id, pos, size, style, validator, name),
      m_fitter(std::make_unique<ColumnFitter>(*this))
{
    GtkTreeColumns::UseReadableTitles(this);
    Bind(wxEVT_DATAVIEW_ITEM_CONTEXT_MENU, &pmDataViewCtrl::OnContextMenu, this);
    Bind(wxEVT_DATAVIEW_COLUMN_HEADER_RIGHT_CLICK, &pmDataViewCtrl::OnHeaderRightClick, this);
}

pmDataViewCtrl::~pmDataViewCtrl()
{
    // The layout object outlives the control: it keeps the last layout.
    if(m_config) {
        StoreLayout(*m_config);
        m_config = nullptr;
    }
    m_fitter.reset(); // off the model, which may outlive the control
}

bool pmDataViewCtrl::AssociateModel(wxDataViewModel* model)
{
    m_fitter->Watch(nullptr); // the old model may go with the association
    m_idleWork = true;
    const bool associated = wxDataViewCtrl::AssociateModel(model);
    if(associated) {
        m_fitter->Watch(model);
    }
    return associated;
}

void pmDataViewCtrl::RefreshRows()
{
    GtkTreeRows::Redraw(this);
}

void pmDataViewCtrl::OnInternalIdle()
{
    const wxLongLong now = wxGetLocalTimeMillis();
    if(IsShownOnScreen() && (m_idleWork || now - m_lastIdleWork >= kIdleWorkMs)) {
        m_idleWork = false;
        m_lastIdleWork = now;
        wxDataViewCtrl::OnInternalIdle();
    } else {
        wxWindow::OnInternalIdle();
    }
}

void pmDataViewCtrl::EnsureVisible(const wxDataViewItem& item, const wxDataViewColumn* column)
{
    m_idleWork = true; // a list not yet drawn scrolls at its idle work
    wxDataViewCtrl::EnsureVisible(item, column);
}

wxDataViewColumn* pmDataViewCtrl::AppendTextColumn(const wxString& title, unsigned int modelColumn,
                                                   wxDataViewCellMode mode, int width, int align, int flags)
{
    auto* column = new wxDataViewColumn(title, new TextCellRenderer(mode, wxDVR_DEFAULT_ALIGNMENT),
                                        modelColumn, width, static_cast<wxAlignment>(align), flags);
    AppendColumn(column);
    return column;
}

wxDataViewColumn* pmDataViewCtrl::AppendIconTextColumn(const wxString& title, unsigned int modelColumn,
                                                       wxDataViewCellMode mode, int width, int align,
                                                       int flags)
{
    auto* column = new wxDataViewColumn(title, new IconTextCellRenderer(mode, wxDVR_DEFAULT_ALIGNMENT),
                                        modelColumn, width, static_cast<wxAlignment>(align), flags);
    AppendColumn(column);
    return column;
}

void pmDataViewCtrl::PrepareColumn(wxDataViewColumn* column)
{
    m_idleWork = true; // its header is connected at the idle work
    if(column) {
        column->SetReorderable(true);
    }
}

bool pmDataViewCtrl::AppendColumn(wxDataViewColumn* column)
{
    PrepareColumn(column);
    return TrackAdded(column, wxDataViewCtrl::AppendColumn(column));
}

bool pmDataViewCtrl::PrependColumn(wxDataViewColumn* column)
{
    PrepareColumn(column);
    return TrackAdded(column, wxDataViewCtrl::PrependColumn(column));
}

bool pmDataViewCtrl::InsertColumn(unsigned int pos, wxDataViewColumn* column)
{
    PrepareColumn(column);
    return TrackAdded(column, wxDataViewCtrl::InsertColumn(pos, column));
}

bool pmDataViewCtrl::TrackAdded(const wxDataViewColumn* column, bool added)
{
    if(added && column) {
        m_fitter->Track(*column);
    }
    return added;
}

wxDataViewColumn* pmDataViewCtrl::GetColumnByModelColumn(unsigned int modelColumn) const
{
    for(unsigned int pos = 0; pos < GetColumnCount(); ++pos) {
        wxDataViewColumn* column = GetColumn(pos);
        if(column && column->GetModelColumn() == modelColumn) {
            return column;
        }
    }
    return nullptr;
}

void pmDataViewCtrl::SetConfig(pmDataViewCtrlConfig* config)
{
    if(m_config && m_config != config) {
        StoreLayout(*m_config);
    }
    m_config = config;
    if(config) {
        config->m_ctrl = this;
        ApplyLayout(*config);
    }
}

std::vector<pmDataViewCtrlConfig::Column> pmDataViewCtrl::GetLayout() const
{
    std::vector<pmDataViewCtrlConfig::Column> columns;
    for(unsigned int pos = 0; pos < GetColumnCount(); ++pos) {
        const wxDataViewColumn* column = GetColumn(pos);
        // A width the program or the user gave; otherwise the column still
        // sizes itself to its contents and should go on doing so.
        const int given = m_fitter->IsProgramSized(*column) ? m_fitter->TableWidth(*column)
                                                            : GtkTreeColumns::GetGivenWidth(column);
        columns.push_back(pmDataViewCtrlConfig::Column{static_cast<int>(column->GetModelColumn()),
                                                       given > 0 ? given : wxCOL_WIDTH_AUTOSIZE,
                                                       static_cast<int>(pos), !column->IsHidden()});
    }
    return columns;
}

void pmDataViewCtrl::StoreLayout(pmDataViewCtrlConfig& config) const
{
    if(GetColumnCount() == 0) {
        return; // nothing to take; keep what was read
    }
    config.SetColumns(GetLayout());
    for(const pmDataViewCtrlConfig::DynColumn& dyn : config.GetDynColumns()) {
        if(const wxDataViewColumn* column = FindColumn(dyn.modelColumn)) {
            config.SetDynColumnShown(dyn.modelColumn, !column->IsHidden());
        }
    }
}

void pmDataViewCtrl::ApplyLayout(const pmDataViewCtrlConfig& config)
{
    wxDataViewColumn* previous = nullptr;
    for(const pmDataViewCtrlConfig::Column& arranged : config.Arrange(GetLayout())) {
        wxDataViewColumn* column = FindColumn(arranged.modelColumn);
        if(!column) {
            continue;
        }
        if(arranged.width > 0 && arranged.width != GtkTreeColumns::GetGivenWidth(column)) {
            m_fitter->SetWidth(*column, std::max(arranged.width, column->GetMinWidth()));
        }
        if(arranged.shown == column->IsHidden()) {
            column->SetHidden(!arranged.shown);
        }
        GtkTreeColumns::MoveAfter(this, column, previous);
        previous = column;
    }
}

wxDataViewColumn* pmDataViewCtrl::FindColumn(int modelColumn) const
{
    return modelColumn >= 0 ? GetColumnByModelColumn(static_cast<unsigned int>(modelColumn)) : nullptr;
}

bool pmDataViewCtrl::ShowDynColumn(const wxString& key, bool show)
{
    if(!m_config) {
        return false;
    }
    for(const pmDataViewCtrlConfig::DynColumn& dyn : m_config->GetDynColumns()) {
        if(dyn.key != key) {
            continue;
        }
        if(wxDataViewColumn* column = FindColumn(dyn.modelColumn)) {
            column->SetHidden(!show);
        }
        m_config->SetDynColumnShown(dyn.modelColumn, show);
        return true;
    }
    return false;
}

void pmDataViewCtrl::InitMenu(wxMenu* menu)
{
    m_menu.reset(menu);
}

void pmDataViewCtrl::OnContextMenu(wxDataViewEvent& event)
{
    if(m_popupHook && m_popupHook(event)) {
        return;
    }
    if(m_menu && m_menu->GetMenuItemCount() > 0) {
        PopupMenu(m_menu.get());
    }
}

void pmDataViewCtrl::OnHeaderRightClick(wxDataViewEvent& event)
{
    if(!m_config || m_config->GetDynColumns().empty()) {
        event.Skip();
        return;
    }
    // One check item per optional column; handled here, so the ids reach no
    // other window.
    wxMenu menu;
    std::vector<wxString> keys;
    for(const pmDataViewCtrlConfig::DynColumn& dyn : m_config->GetDynColumns()) {
        const wxDataViewColumn* column = FindColumn(dyn.modelColumn);
        if(!column) {
            continue;
        }
        const wxString label =
            column->GetTitle().Strip(wxString::both).empty() ? dyn.key : column->GetTitle();
        const int id = wxID_HIGHEST + 1 + static_cast<int>(keys.size());
        menu.AppendCheckItem(id, label)->Check(!column->IsHidden());
        keys.push_back(dyn.key);
    }
    if(keys.empty()) {
        return;
    }
    menu.Bind(wxEVT_MENU, [this, &keys](wxCommandEvent& command) {
        const int index = command.GetId() - wxID_HIGHEST - 1;
        if(index >= 0 && static_cast<size_t>(index) < keys.size()) {
            ShowDynColumn(keys[index], command.IsChecked());
        }
    });
    PopupMenu(&menu);
}
