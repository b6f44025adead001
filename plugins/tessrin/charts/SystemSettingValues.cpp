#include "charts/SystemSettingValues.h"

#include "common/SettingsAccessors.h"

#include <pelmora/EditorConfig.h>

namespace {
int Choice(bool on)
{
    return on ? 1 : 0;
}
} // namespace

SystemSettingValues SystemSettingValues::Load()
{
    SystemSettingValues values;
    values.lockMinutes = GetLockScreenInterval() / 60;
    values.orderPreConfirm = Choice(IsOrderPreConfirm());
    values.showQuickOrder = Choice(IsShowTranscationPanel());
    values.noticeStartShow = Choice(IsNoticeStartShow());
    // `chart` was constructed from the store above.
    const std::pair<bool, bool> solid = GetShowSoldBodyCandleStick();
    values.bullSolid = solid.first;
    values.bearSolid = solid.second;
    values.showMultiOrderDialog = Choice(IsShowMultiOrderDialog());
    values.inOutUrlInBrowser = Choice(IsShowInOutUrlInBrower());
    values.holdDetailClose = GetDblClickHoldDetailClose() == 1 ? 0 : 1;
    for(int type = 0; type < static_cast<int>(values.notify.size()); ++type) {
        values.notify[type] = Choice(IsShowNotify(type));
    }
    return values;
}

void SystemSettingValues::Store() const
{
    if(IsValidLockMinutes(lockMinutes)) {
        SetLockScreenInterval(lockMinutes * 60);
    }
    SetOrderPreConfirm(orderPreConfirm != 0);
    SetShowTranscationPanel(showQuickOrder != 0);
    SetNoticeStartShow(noticeStartShow != 0);
    // A copy: Save is not const, and the working copy stays as it is.
    ChartViewPanelGlobalConfig colours(chart);
    colours.Save();
    SetShowSoldBodyCandleStick({bullSolid, bearSolid});
    SetDblClickHoldDetailClose(holdDetailClose == 1 ? 2 : 1);
    SetShowMultiOrderDialog(showMultiOrderDialog != 0);
    SetShowInOutUrlInBrower(inOutUrlInBrowser != 0);
    for(int type : kNotifyStoreOrder) {
        const wxString key = NotifyTypeToStr(type);
        EditorConfigST::Get()->SaveLongValue(key, notify[type] != 0 ? 1 : 0);
        NotifySettingChanged(key);
    }
}
