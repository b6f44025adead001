#pragma once

// The shape every list pane shares: a panel holding the host's data-view
// control over a RecordListModel, built from a static column table, with a
// context menu and a column layout stored under the pane's name.
//
// A new pane is its column table, cell values, colours and menus:
//
//   class CloseBillModel : public RecordListModel<trade_CloseBill> {
//   public:
//       explicit CloseBillModel(RecordStore* db)
//           : RecordListModel(db, db->m_trade_CloseBill_table.get(), 16, "CloseBillModel") {}
//   protected:
//       bool HasLinks(const trade_CloseBill& bill) const override;           // its symbol, ...
//       void GetRecordValue(const trade_CloseBill& bill, unsigned column, wxVariant& value) const override;
//       void GetRecordAttr(const trade_CloseBill& bill, unsigned column, wxDataViewItemAttr& attr) const
//       override;
//   };
//
//   class CloseBillPane : public RecordListPane<CloseBillModel> {
//   public:
//       CloseBillPane(RecordStore* db, HostManager* mgr, wxWindow* parent)
//           : RecordListPane(db, mgr, parent)
//       {
//           CreateList(new CloseBillModel(db));          // the model registers on its table
//           AppendColumns(kColumns);                     // RowNumberColumn(..) first; any order
//           LoadImages({"common/16/close"});
//           PlaceList();
//           IgnoreColumnSort();                          // where the pane has the empty sort handler
//           LoadColumnConfig("CloseBillPane");
//           InitContextMenu({});                         // {"xrc_id", _("Label"), image} entries, kSeparator
//       }
//       bool SelectCloseBill(const wxString& code) { return SelectRecord(code, &trade_CloseBill::orderCode);
//       }
//   };
//
// Menu commands reach the pane as wxEVT_MENU with the entries' XRC ids; a
// handler acts on GetSelectedRecord() (null: nothing). Link columns come from
// an override of CreateRenderer returning CreateLinkRenderer(column); clicks
// arrive in OnLinkClicked. A configuration subclass is read with
// ReadColumnConfig before the list exists and applied later with
// ApplyColumnConfig. The destructor saves the layout; the frame adds the pane
// as a notebook page and removes it with RemoveNotebookPage.

#include "common/ListColumn.h"

#include <initializer_list>
#include <memory>
#include <pelmora/pmDataViewCtrl.h>
#include <pelmora/pmDataViewCtrlConfig.h>
#include <vector>
#include <wx/dataview.h>
#include <wx/imaglist.h>
#include <wx/panel.h>

class HostManager;
class RecordStore;
class pmDataViewHyperlinkRenderer;
class wxMenu;

class ListPane : public wxPanel
{
public:
    // Saves the column layout under the pane's name.
    ~ListPane() override;

    pmDataViewCtrl* GetList() const { return m_list; }
    pmDataViewCtrlConfig* GetColumnConfig() const { return m_config.get(); }
    const wxString& GetConfigName() const { return m_configName; }

protected:
    // One entry of a context menu; a null id is a separator, a negative image
    // no bitmap.
    struct MenuEntry
    {
        const char* id;
        wxString label;
        int image;
    };
    static const MenuEntry kSeparator;
    static constexpr long kListStyle =
        wxDV_MULTIPLE | wxDV_HORIZ_RULES | wxDV_VERT_RULES | wxDV_ROW_LINES | wxBORDER_NONE;

    // The panel without border and its vertical sizer.
    ListPane(RecordStore* db, HostManager* mgr, wxWindow* parent);

    // The control over the model, which the pane and the control share.
    void CreateList(wxDataViewModel* model, long style = kListStyle);
    // The table's columns in model-column order, each resizable, its minimum
    // width the width it reports once appended.
    void AppendColumns(const std::vector<ListColumn>& table);
    // The renderer of a column; null appends a text column.
    virtual wxDataViewRenderer* CreateRenderer(const ListColumn& column);
    // Whether the column shows an icon beside its text (the host's icon
    // and text column).
    virtual bool HasIcon(const ListColumn& column) const
    {
        wxUnusedVar(column);
        return false;
    }
    // A link renderer whose clicks reach OnLinkClicked, links underlined.
    pmDataViewHyperlinkRenderer* CreateLinkRenderer(const ListColumn& column);
    virtual void OnLinkClicked(wxDataViewEvent& event) { event.Skip(); }
    // 16 by 16 images of the pane's menu, by host bitmap name, in order.
    void LoadImages(std::initializer_list<const char*> names);
    // The control fills the pane.
    void PlaceList();
    // A click on a column header neither sorts nor travels on.
    void IgnoreColumnSort();
    // Reads the layout stored under the name into `config` (a plain layout
    // when null), which the pane then holds.
    void ReadColumnConfig(const wxString& name, std::unique_ptr<pmDataViewCtrlConfig> config = nullptr);
    // Hands the held layout to the control, which applies it.
    void ApplyColumnConfig();
    void LoadColumnConfig(const wxString& name);
    void SaveColumnConfig();
    // The context menu of the entries; the control owns it and shows it on a
    // right click.
    wxMenu* InitContextMenu(const std::vector<MenuEntry>& entries);

    wxDataViewModel* GetModelBase() const { return m_model.get(); }
    wxImageList* GetImages() const { return m_images.get(); }
    HostManager* GetManager() const { return m_mgr; }
    RecordStore* GetDatabase() const { return m_db; }

private:
    void OnColumnSorted(wxDataViewEvent& event);
    // Around a row the model removes: the toolkit would move the selection
    // of a removed row to its neighbour, and Enter would act on that row.
    // The other selected rows stay selected; the removed one leaves nothing.
    void BeforeRowDeleted(unsigned int row);
    void AfterRowDeleted(unsigned int row);
    void OnSelectionChanged(wxDataViewEvent& event);
    void OnItemActivated(wxDataViewEvent& event);

    pmDataViewCtrl* m_list = nullptr; // a child window of the pane
    wxObjectDataPtr<wxDataViewModel> m_model;
    std::unique_ptr<wxImageList> m_images;
    HostManager* m_mgr;
    RecordStore* m_db;
    std::unique_ptr<pmDataViewCtrlConfig> m_config;
    wxString m_configName;
    bool m_sortIgnored = false;
    bool m_linksBound = false;
    // Sees the control's selection and activation events before the pane.
    std::unique_ptr<wxEvtHandler> m_selectionFilter;
    bool m_rowDeleting = false;
    bool m_cursorDeleted = false;
    std::vector<unsigned int> m_keptRows;
    wxDataViewItem m_unchosenCursor; // where the toolkit put the cursor
};
