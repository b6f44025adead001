#pragma once

#include "frame/IPaneSet.h"

#include <wx/string.h>

class CloseBillPane;
class DeliveryOrderPane;
class HoldDetailPane;
class InOutMoneyPane;
class LimitOrderPane;
class MinTradeOrderPane;
class NoticeMessagePane;
class PositionPane;
class RiskCustomPanel;
class StoreOrderPane;
class TessrinPlugin;
class UserAccountPane;

// The plug-in's panes: each built at start-up in its host notebook (the
// quote boards hidden until their market arrives), and each removed and
// destroyed at shut-down, in a fixed order, while the record store lives.
// The host's windows own the panes once they are placed; the pointers here
// are cleared as they go.
class PaneSet : public IPaneSet
{
public:
    explicit PaneSet(TessrinPlugin& plugin);

    void StartShared() override;
    void CreatePanes() override;
    void DockPanes() override;
    void RemovePanes() override;
    void ReleaseShared() override;

    void AddBinaryOptionPages() override;
    void AddBinaryOptionSymbolPage() override;
    void AddOtcSymbolPage() override;
    // The "All" board after "OTC" (or last while there is none).
    void AddAllSymbolPage() override;
    void AddBinaryOptionHistoryPage() override;

    void SetLoggedIn(bool loggedIn) override;
    void ShowNoticeTarget(const NoticeClick& click) override;

    HistoryPane* GetHistoryPane() const override { return m_historyPane; }
    SymbolPane* GetBinaryOptionSymbolPane() const override { return m_binaryOptionSymbolPane; }
    SymbolPane* GetOtcSymbolPane() const override { return m_otcSymbolPane; }
    SymbolPane* GetAllSymbolPane() const override { return m_allSymbolPane; }
    TranscationPanel* GetTranscationPanel() const override { return m_transcationPanel; }

private:
    // Adds the quote board as a workspace page once.
    void AddSymbolPage(SymbolPane* board, const wxString& label);

    TessrinPlugin& m_plugin;
    TranscationPanel* m_transcationPanel = nullptr;
    UserAccountPane* m_userAccountPane = nullptr;
    HoldDetailPane* m_holdDetailPane = nullptr;
    PositionPane* m_positionPane = nullptr;
    CloseBillPane* m_closeBillPane = nullptr;
    LimitOrderPane* m_limitOrderPane = nullptr;
    InOutMoneyPane* m_inOutMoneyPane = nullptr;
    HistoryPane* m_historyPane = nullptr;
    NoticeMessagePane* m_noticeMessagePane = nullptr;
    StoreOrderPane* m_storeOrderPane = nullptr;
    RiskCustomPanel* m_riskCustomPanel = nullptr;
    DeliveryOrderPane* m_deliveryOrderPane = nullptr;
    SymbolPane* m_binaryOptionSymbolPane = nullptr;
    SymbolPane* m_otcSymbolPane = nullptr;
    SymbolPane* m_allSymbolPane = nullptr;
    MinTradeOrderPane* m_minTradeOrderPane = nullptr;
};
