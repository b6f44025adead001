#include "orders/OrderKindTraits.h"

#include <cstddef>
#include <iterator>
#include <wx/intl.h>

namespace {

using T = OrderKindTraits;

// kind, title, request, record, key, controls, ok while waiting, opens, trades at the quote, shows the
// order type, shows the stops, edits the stops
constexpr OrderKindTraits kKinds[] = {
    {eOpen, wxTRANSLATE("New Order"), T::eSetOrder, T::eNoRecord, T::eBySymbol, T::eNewOrderControls,
     T::eOkDisabledAtMarket, true, true, true, true, true},
    {eClose, wxTRANSLATE("Close Order"), T::eSetOrder, T::eHoldBill, T::eByOrderCode, T::eClosingControls,
     T::eOkDisabled, false, true, true, false, false},
    {eModify, wxTRANSLATE("Modify Order"), T::eModifyOrder, T::eBillOrLimit, T::eByOrderCode,
     T::eFixedControls, T::eOkDisabled, false, false, true, true, true},
    {eCancel, wxTRANSLATE("Cancel Order"), T::eCancelOrder, T::eBillOrLimit, T::eByOrderCode,
     T::eFixedControls, T::eOkEnabled, false, false, true, true, false},
    {eDelivery, wxTRANSLATE("Delivery Order"), T::eHoldBillDelivery, T::eHoldBill, T::eByOrderCode,
     T::eFixedControls, T::eOkDisabled, false, false, false, false, false},
    {eClosePosition, wxTRANSLATE("Close Position"), T::ePositionClose, T::ePosition, T::eBySymbol,
     T::eClosingControls, T::eOkDisabled, false, true, true, false, false},
};

constexpr bool InKindOrder()
{
    for(std::size_t i = 0; i < std::size(kKinds); ++i) {
        if(kKinds[i].kind != static_cast<int>(i)) {
            return false;
        }
    }
    return std::size(kKinds) == eClosePosition + 1;
}
static_assert(InKindOrder(), "one row per kind, in the order of OrderKind");

} // namespace

const OrderKindTraits& OrderKindTraits::Of(int kind)
{
    if(kind < 0 || kind >= static_cast<int>(std::size(kKinds))) {
        return kKinds[eOpen];
    }
    return kKinds[kind];
}
