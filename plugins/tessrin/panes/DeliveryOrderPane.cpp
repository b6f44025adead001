#include "panes/DeliveryOrderPane.h"

#include <wx/intl.h>

namespace {

std::vector<ListColumn> Columns()
{
    constexpr int inert = wxDATAVIEW_CELL_INERT;
    constexpr int automatic = wxCOL_WIDTH_AUTOSIZE;
    constexpr int centreH = wxALIGN_CENTER_HORIZONTAL;
    constexpr int centre = wxALIGN_CENTER;
    return {RowNumberColumn(automatic),
            {_("OrderCode"), DeliveryOrderModel::eOrderCode, inert, automatic, centreH},
            {_("OrderCodeRe"), DeliveryOrderModel::eOrderCodeRe, inert, automatic, centreH},
            {_("Symbol"), DeliveryOrderModel::eSymbol, inert, automatic, centreH},
            {_("marketName"), DeliveryOrderModel::eMarketName, inert, automatic, centreH},
            {_("Delivery B/S"), DeliveryOrderModel::eSide, inert, automatic, centre},
            {_("Quantity"), DeliveryOrderModel::eQuantity, inert, automatic, centre},
            {_("deliveryMargin"), DeliveryOrderModel::eDeliveryMargin, inert, automatic, centreH},
            {_("deliveryMoney"), DeliveryOrderModel::eDeliveryMoney, inert, automatic, centreH},
            {_("deliveryCharge"), DeliveryOrderModel::eDeliveryCharge, inert, automatic, centreH},
            {_("deliveryConfimStatus"), DeliveryOrderModel::eConfirmStatus, inert, automatic, centreH},
            {_("deliveryConfirmTime"), DeliveryOrderModel::eConfirmTime, inert, automatic, centreH},
            {_("deliveryTime"), DeliveryOrderModel::eDeliveryTime, inert, automatic, centreH},
            {_("DeliveryPrice"), DeliveryOrderModel::eDeliveryPrice, inert, automatic, centre},
            {_("ChargeClose"), DeliveryOrderModel::eChargeClose, inert, automatic, centre},
            {_("CloseProfit"), DeliveryOrderModel::eCloseProfit, inert, automatic, centre},
            {_("CloseTime"), DeliveryOrderModel::eCloseTime, inert, automatic, centreH}};
}

} // namespace

DeliveryOrderPane::DeliveryOrderPane(RecordStore* db, HostManager* mgr, wxWindow* parent)
    : RecordListPane(db, mgr, parent)
{
    CreateList(new DeliveryOrderModel(db));
    AppendColumns(Columns());
    LoadImages({"common/16/close"});
    PlaceList();
    IgnoreColumnSort();
    LoadColumnConfig(kConfigName);
    InitContextMenu({});
}
