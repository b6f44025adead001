#ifndef PELMORA_PMDATAVIEWCTRL_H
#define PELMORA_PMDATAVIEWCTRL_H

#include "pelmora/pmDataViewCtrlConfig.h"

#include <functional>
#include <memory>
#include <vector>
#include <wx/dataview.h>

class ColumnFitter;
class wxMenu;

// The host's data-view list control. Beyond wxDataViewCtrl:
// - columns the user can reorder (drag a header) and resize; a width the
//   program gives is widened, never narrowed, to show the title and the
//   first rows' values whole, while a width the user or a stored layout
//   gives stays as it is;
// - a column layout object (SetConfig): the control applies it at once and
//   keeps it in step with the user's changes; the optional columns it lists
//   are shown and hidden from a menu on a header right click;
// - a context menu (InitMenu) shown on a right click over the list; its
//   commands reach the control's parents as ordinary menu events. A popup
//   hook, called first, may answer true to show no menu.
class pmDataViewCtrl : public wxDataViewCtrl
{
public:
    using PopupHook = std::function<bool(wxDataViewEvent& event)>;

    pmDataViewCtrl(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize, long style = 0,
                   const wxValidator& validator = wxDefaultValidator,
                   const wxString& name = wxASCII_STR(wxDataViewCtrlNameStr));
    ~pmDataViewCtrl() override;

    bool AssociateModel(wxDataViewModel* model) override;

    // A text column that takes every value type of the host's text cells.
    // `align` is a wxAlignment; the width -2 sizes the column to its contents.
    wxDataViewColumn* AppendTextColumn(const wxString& title, unsigned int modelColumn,
                                       wxDataViewCellMode mode = wxDATAVIEW_CELL_INERT,
                                       int width = wxCOL_WIDTH_DEFAULT, int align = wxALIGN_NOT,
                                       int flags = wxDATAVIEW_COL_RESIZABLE);
    // An icon-and-text column; it also takes plain texts.
    wxDataViewColumn* AppendIconTextColumn(const wxString& title, unsigned int modelColumn,
                                           wxDataViewCellMode mode = wxDATAVIEW_CELL_INERT,
                                           int width = wxCOL_WIDTH_DEFAULT, int align = wxALIGN_NOT,
                                           int flags = wxDATAVIEW_COL_RESIZABLE);
    // Every column added becomes reorderable.
    bool AppendColumn(wxDataViewColumn* column) override;
    bool PrependColumn(wxDataViewColumn* column) override;
    bool InsertColumn(unsigned int pos, wxDataViewColumn* column) override;

    // The column showing that model column; null when there is none.
    wxDataViewColumn* GetColumnByModelColumn(unsigned int modelColumn) const;

    // Applies the object's layout and keeps the pointer (not owned) until
    // another object or null is given, or the object goes. The object it held
    // before receives the layout as it is then.
    void SetConfig(pmDataViewCtrlConfig* config);
    pmDataViewCtrlConfig* GetConfig() const { return m_config; }
    // Writes the current layout into the object.
    void StoreLayout(pmDataViewCtrlConfig& config) const;
    // The columns in display order with their given widths (-2 for one that
    // sizes itself to its contents).
    // A column the program sized keeps the width it was added with there.
    std::vector<pmDataViewCtrlConfig::Column> GetLayout() const;
    // Shows or hides the optional column of that key, as the column menu does;
    // false when the key is not an optional column of the held layout.
    bool ShowDynColumn(const wxString& key, bool show);

    // The context menu; the control owns it from now on.
    void InitMenu(wxMenu* menu);
    wxMenu* GetMenu() const { return m_menu.get(); }
    void HookPopupMenu(PopupHook hook) { m_popupHook = std::move(hook); }

    // Repaints every row shown with the model's values (the row count and
    // the rows' heights stay); the toolkit list draws no row on Refresh.
    void RefreshRows();

    // The toolkit list's own idle work maps every column to its wx object by
    // a linear search. It is done at the next idle pass after columns, a
    // model or a scroll request arrive, and otherwise at most every
    // kIdleWorkMs; a list out of sight waits until it shows.
    void OnInternalIdle() override;
    void EnsureVisible(const wxDataViewItem& item, const wxDataViewColumn* column = nullptr) override;
    static constexpr int kIdleWorkMs = 250;

private:
    void PrepareColumn(wxDataViewColumn* column);
    bool TrackAdded(const wxDataViewColumn* column, bool added);
    wxDataViewColumn* FindColumn(int modelColumn) const;
    void ApplyLayout(const pmDataViewCtrlConfig& config);
    void OnContextMenu(wxDataViewEvent& event);
    void OnHeaderRightClick(wxDataViewEvent& event);

    pmDataViewCtrlConfig* m_config = nullptr;
    std::unique_ptr<ColumnFitter> m_fitter;
    std::unique_ptr<wxMenu> m_menu;
    PopupHook m_popupHook;
    bool m_idleWork = true;
    wxLongLong m_lastIdleWork = 0;
};

#endif // PELMORA_PMDATAVIEWCTRL_H
