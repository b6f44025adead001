#pragma once

#include "common/ChartViewPanelGlobalConfig.h"

#include <array>

// What the settings dialog shows and stores, without windows: read from the
// settings accessors in the dialog's order, written back in OK's order.
// Choices are the index of the dialog's choice lists (0 "False", 1 "True";
// hold detail 0 "NewO", 1 "CloseO").
class SystemSettingValues
{
public:
    // Notify types in the order OK writes them.
    static constexpr std::array<int, 5> kNotifyStoreOrder{2, 3, 1, 0, 4};
    // The lock time in minutes; its seconds must fit 32 bits.
    static constexpr long kMaxLockMinutes = 35791394;
    static bool IsValidLockMinutes(long minutes) { return minutes >= 0 && minutes <= kMaxLockMinutes; }

    // Reads every setting (the stored colours or the defaults included).
    static SystemSettingValues Load();
    // Stores every setting through its accessor; each announces its change.
    // A lock time out of range is refused (nothing stored for it).
    void Store() const;

    long lockMinutes = 0;
    int orderPreConfirm = 0;
    int showQuickOrder = 0;
    int noticeStartShow = 0;
    bool bullSolid = true;
    bool bearSolid = true;
    int showMultiOrderDialog = 0;
    int inOutUrlInBrowser = 0;
    int holdDetailClose = 0;
    std::array<int, 5> notify{};      // by notify type 0..4
    ChartViewPanelGlobalConfig chart; // the working copy of the chart colours
};
