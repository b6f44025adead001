#pragma once

#include <pelmora/pmDataViewCtrlConfig.h>

// The depth pane's column layout: fixed, so nothing is stored or read.
class pmPriceReportConfig : public pmDataViewCtrlConfig
{
public:
    explicit pmPriceReportConfig(pmDataViewCtrl* ctrl) : pmDataViewCtrlConfig(ctrl) {}

    void Serialize(Archive& /*arch*/) override {}
    void DeSerialize(Archive& /*arch*/) override {}
};
