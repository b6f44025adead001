#include "common/SettingsAccessors.h"

#include "common/IClientPlugin.h"
#include "common/TessrinConfig.h"

#include <pelmora/EditorConfig.h>
#include <pelmora/EventNotifier.h>
#include <wx/arrstr.h>
#include <wx/debug.h>
#include <wx/xrc/xmlres.h>

namespace {

bool ReadFlag(const char* key, bool defaultValue)
{
    long value = 0;
    if(!EditorConfigST::Get()->GetLongValue(key, value)) {
        return defaultValue;
    }
    return value != 0;
}

void StoreFlag(const char* key, bool on)
{
    EditorConfigST::Get()->SaveLongValue(key, on ? 1 : 0);
    NotifySettingChanged(key);
}

void StoreFlagIfChanged(const char* key, bool on, bool current)
{
    if(on != current) {
        StoreFlag(key, on);
    }
}

} // namespace

long GetLockScreenInterval()
{
    long seconds = 0;
    if(!EditorConfigST::Get()->GetLongValue("LockScreenInterval", seconds) || seconds == 0) {
        return 0;
    }
    return seconds < 60 ? 60 : seconds;
}

void SetLockScreenInterval(long seconds)
{
    EditorConfigST::Get()->SaveLongValue("LockScreenInterval", seconds);
    NotifySettingChanged("LockScreenInterval");
}

long GetNoticeMsgUpdInterval()
{
    long seconds = 30;
    EditorConfigST::Get()->GetLongValue("NoticeMsgUpdInterval", seconds);
    return seconds < 30 ? 30 : seconds;
}

bool IsOrderPreConfirm()
{
    return ReadFlag("orderPreConfirmChk", false);
}

void SetOrderPreConfirm(bool on)
{
    StoreFlag("orderPreConfirmChk", on);
}

bool IsBinOpOrderSucessPrompt()
{
    return ReadFlag("BinOpOrderSucessPrompt", false);
}

void SetBinOpOrderSucessPrompt(bool on)
{
    StoreFlag("BinOpOrderSucessPrompt", on);
}

bool IsNoticeStartShow()
{
    return ReadFlag("NoticeStartShow", true);
}

void SetNoticeStartShow(bool on)
{
    StoreFlag("NoticeStartShow", on);
}

std::pair<bool, bool> GetShowSoldBodyCandleStick()
{
    std::pair<bool, bool> solid(true, true);
    const wxString text = EditorConfigST::Get()->GetStringValue("showSoldBodyCandleStick");
    if(text.empty()) {
        return solid;
    }
    const wxArrayString words = wxSplit(text, ',', '\\');
    if(words.size() > 0) {
        solid.first = words[0].IsSameAs("show", false);
    }
    if(words.size() > 1) {
        solid.second = words[1].IsSameAs("show", false);
    }
    return solid;
}

void SetShowSoldBodyCandleStick(std::pair<bool, bool> solid)
{
    wxString text = solid.first ? "show" : "hide";
    text += solid.second ? ",show" : ",hide";
    EditorConfigST::Get()->SaveStringValue("showSoldBodyCandleStick", text);
    NotifySettingChanged("showSoldBodyCandleStick");
}

bool IsShowTranscationPanel()
{
    return ReadFlag("m_bShowTranscationPanel", false);
}

void SetShowTranscationPanel(bool show)
{
    StoreFlagIfChanged("m_bShowTranscationPanel", show, IsShowTranscationPanel());
}

bool IsShowMultiOrderDialog()
{
    return ReadFlag("ShowMultiOrderDialog", true);
}

void SetShowMultiOrderDialog(bool show)
{
    StoreFlagIfChanged("ShowMultiOrderDialog", show, IsShowMultiOrderDialog());
}

int GetDblClickHoldDetailClose()
{
    return EditorConfigST::Get()->GetStringValue("DblClickHoldDetailClose") == "open" ? 1 : 2;
}

void SetDblClickHoldDetailClose(int action)
{
    // Every value but 1 means the close dialog: compare what would be stored.
    const int normalised = action == 1 ? 1 : 2;
    if(normalised == GetDblClickHoldDetailClose()) {
        return;
    }
    EditorConfigST::Get()->SaveStringValue("DblClickHoldDetailClose", normalised == 1 ? "open" : "close");
    NotifySettingChanged("DblClickHoldDetailClose");
}

bool IsShowInOutUrlInBrower()
{
    return ReadFlag("ShowInOutUrlInBrower", false);
}

void SetShowInOutUrlInBrower(bool on)
{
    StoreFlagIfChanged("ShowInOutUrlInBrower", on, IsShowInOutUrlInBrower());
}

wxString NotifyTypeToStr(int type)
{
    switch(type) {
    case eNotifyMarketOpen:
        return "ShowNotifyMarketOpen";
    case eNotifyLimitOrder:
        return "ShowNotifyLimitOrder";
    case eNotifyClosedOrder:
        return "ShowNotifyClosedOrder";
    case eNotifyInOutMoney:
        return "ShowNotifyInOutMoney";
    case eNotifyMinTrader:
        return "ShowNotifyMinTrader";
    default:
        wxFAIL_MSG("NotifyTypeToStr: unknown notify type");
        return wxEmptyString;
    }
}

bool IsShowNotify(int type)
{
    const wxString key = NotifyTypeToStr(type);
    long value = 1;
    if(key.empty() || !EditorConfigST::Get()->GetLongValue(key, value)) {
        return true;
    }
    return value != 0;
}

bool IsShowMultiMargin()
{
    const clConfig* config = g_plugin ? g_plugin->GetConfig() : nullptr;
    return TessrinConfig(config).GetShowMultiMargin().IsSameAs("true", false);
}

void NotifySettingChanged(const wxString& key)
{
    wxCommandEvent event(wxXmlResource::GetXRCID("systemSettingChanged"), wxXmlResource::GetXRCID(key));
    EventNotifier::Get()->AddPendingEvent(event);
}
