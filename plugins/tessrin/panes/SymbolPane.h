#pragma once

#include "common/ListPane.h"
#include "common/RefreshClock.h"
#include "db/CActionTrigger.h"

#include <wx/timer.h>

class SymbolModel;
class TranscationPanel;
class pmSymbolPaneConfig;
struct symbol_Info;

// A quote board: the symbols of one market type ('1' OTC, '2' aggregate,
// '3' hang, '4' binary options; 0 every type) with their live quotes, in the
// server's order, the user's own order (Up, Down) or a column's. Its
// commands start trading: the order dialog, the hang-order dialog, a chart,
// the symbol information and, by selection, the quick-trade panel. The
// order and the optional columns are stored under "SymbolPaneCfg" with the
// market's suffix; the order is published in g_symbolOrders. GUI thread only.
class SymbolPane : public ListPane, public CActionTrigger<symbol_Info>
{
public:
    enum MenuImage {
        eImageNewOrder = 4,
        eImageChart = 5,
        eImageUp = 6,
        eImageDown = 7,
        eImageSymbolInfo = 8
    };

    // Quotes repaint on the clock (the plug-in's unless another is given;
    // none: at once).
    SymbolPane(RecordStore* db, TranscationPanel* panel, HostManager* mgr, wxWindow* parent, char marketType,
               RefreshClock* clock = PluginRefreshClock());
    // Stores the last display order as the custom order.
    ~SymbolPane() override;

    // The rebuild: rows of the logged-in user's symbols of the market, then
    // the sort. Runs at once; the pane's own requests are posted first.
    void Rebuild();

    void afterAdd(const symbol_Info& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const symbol_Info& stored, CTransaction* transaction, void* reserved) override;
    bool beforeRemove(const symbol_Info& stored, CTransaction* transaction, void* reserved) override;

    // Logged out, the board shows its symbols without figures.
    void SetQuotesLive(bool live);

    // Sorts as the state says and publishes the order.
    void SortRows();
    // Moves the selected symbol by `step` rows in the custom order (0 makes
    // the current order the custom one) and selects it; the new position,
    // -1 without a selection.
    int MoveSelected(int step);
    // The default order; the selection keeps its place.
    void RestoreDefaultOrder();
    // A double click on the model column, on the selected (or first) row.
    void ActivateColumn(int modelColumn);
    // A new order ('b' or 's') of the symbol: the order dialog for market
    // types '1' and '2', the hang-order dialog for '3', nothing else.
    void OpenOrder(const symbol_Info* symbol, char side);
    // Modal symbol information of the selected symbol.
    void ShowSymbolInfo();

    SymbolModel* GetModel() const;
    pmSymbolPaneConfig* GetConfig() const { return m_config; }
    char GetMarketType() const { return m_marketType; }
    bool IsRebuildPosted() const { return m_rebuildPosted; }
    // The symbol of the one selected row, or null.
    const symbol_Info* GetSelectedSymbol() const;
    // The selected symbol, or the first row's; null without rows.
    const symbol_Info* GetActionSymbol() const;
    void SelectRow(int row);

    // The plug-in-private type of the posted rebuild.
    static const wxEventType kRebuildEventType;

protected:
    bool HasIcon(const ListColumn& column) const override;

private:
    void PostRebuild();
    void SnapshotCustomOrder();
    void PublishOrder();
    wxMenu* BuildMenu();
    void BindHandlers();
    void UnbindHandlers();

    void OnRebuildEvent(wxCommandEvent& event);
    // The host's theme (bus 10100) on the board and its list.
    void ApplyTheme();
    void OnColoursChanged(wxCommandEvent& event);
    void OnTimer(wxTimerEvent& event);
    void ExpireFlashesLater();
    void OnNewOrder(wxCommandEvent& event);
    void OnAppNewOrder(wxCommandEvent& event);
    void OnNewChart(wxCommandEvent& event);
    void OnSymbolUp(wxCommandEvent& event);
    void OnSymbolDown(wxCommandEvent& event);
    void OnSymbolRestore(wxCommandEvent& event);
    void OnShowSymbolInfo(wxCommandEvent& event);
    void OnMouseWheel(wxMouseEvent& event);
    void OnColumnSorted(wxDataViewEvent& event);
    void OnItemActivated(wxDataViewEvent& event);
    void OnSelectionChanged(wxDataViewEvent& event);

    SymbolModel* m_model = nullptr;         // held by the pane and the control
    pmSymbolPaneConfig* m_config = nullptr; // held by the pane
    char m_marketType;
    TranscationPanel* m_panel; // not owned; may be null
    wxTimer m_timer;
    bool m_rebuildPosted = false;
    bool m_triggerRegistered = false;
};
