#pragma once

#include <utility>
#include <wx/string.h>

// The user's settings in the host's editor configuration: one getter per
// setting with its default and bounds, one setter that stores the value and
// announces the change with NotifySettingChanged. The only place that knows
// the keys. GUI thread only.

// "LockScreenInterval", seconds of idle time before the screen locks: 0 (off)
// when missing or 0, else at least 60.
long GetLockScreenInterval();
void SetLockScreenInterval(long seconds);
// "NoticeMsgUpdInterval", seconds between bulletin polls: at least 30.
long GetNoticeMsgUpdInterval();
// "orderPreConfirmChk": confirm an order before it is sent (default off).
bool IsOrderPreConfirm();
void SetOrderPreConfirm(bool on);
// "BinOpOrderSucessPrompt": prompt after a binary-option order (default off).
bool IsBinOpOrderSucessPrompt();
void SetBinOpOrderSucessPrompt(bool on);
// "NoticeStartShow": show the bulletins at start (default on).
bool IsNoticeStartShow();
void SetNoticeStartShow(bool on);
// "showSoldBodyCandleStick": whether (bull, bear) candle bodies are solid;
// stored as "show,hide" and the like, default (true, true).
std::pair<bool, bool> GetShowSoldBodyCandleStick();
void SetShowSoldBodyCandleStick(std::pair<bool, bool> solid);
// "m_bShowTranscationPanel": the quick-order panel is shown (default off).
bool IsShowTranscationPanel();
void SetShowTranscationPanel(bool show);
// "ShowMultiOrderDialog": the multi-order dialog is used (default on).
bool IsShowMultiOrderDialog();
void SetShowMultiOrderDialog(bool show);
// "DblClickHoldDetailClose": what a double click on a hold opens: 1 a new
// order (stored "open"), 2 the close dialog (anything else, the default).
int GetDblClickHoldDetailClose();
void SetDblClickHoldDetailClose(int action);
// "ShowInOutUrlInBrower": the money in/out page opens in the browser.
bool IsShowInOutUrlInBrower();
void SetShowInOutUrlInBrower(bool on);

// Trade notices that may pop up, each switched by its own key.
enum NotifyType {
    eNotifyMarketOpen = 0, // a market order was filled
    eNotifyLimitOrder = 1,
    eNotifyClosedOrder = 2,
    eNotifyInOutMoney = 3,
    eNotifyMinTrader = 4, // binary-option trades
};
// The key of a notice type; empty (and an assertion) for an unknown type.
wxString NotifyTypeToStr(int type);
// Default on; the settings dialog stores these keys itself.
bool IsShowNotify(int type);

// "ShowMultiMargin" of Tessrin.con: "true" in any letter case.
bool IsShowMultiMargin();

// Queues, on the host's event bus, a command event of the type
// XRCID("systemSettingChanged") whose id is XRCID(key). Receivers compare
// ids, never numbers: XRC ids are assigned at run time.
void NotifySettingChanged(const wxString& key);
