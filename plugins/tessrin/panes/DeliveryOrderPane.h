#pragma once

#include "common/RecordListPane.h"
#include "panes/DeliveryOrderModel.h"

// The "Delivery" page: the delivery orders of the day with their
// confirmation. Read-only.
class DeliveryOrderPane : public RecordListPane<DeliveryOrderModel>
{
public:
    static constexpr const char* kConfigName = "DeliveryOrderPane";

    DeliveryOrderPane(RecordStore* db, HostManager* mgr, wxWindow* parent);
};
