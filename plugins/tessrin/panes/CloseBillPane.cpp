#include "panes/CloseBillPane.h"

#include <wx/intl.h>

namespace {

std::vector<ListColumn> Columns()
{
    constexpr int inert = wxDATAVIEW_CELL_INERT;
    constexpr int automatic = wxCOL_WIDTH_AUTOSIZE;
    constexpr int centreH = wxALIGN_CENTER_HORIZONTAL;
    constexpr int centre = wxALIGN_CENTER;
    return {RowNumberColumn(automatic),
            {_("OrderCode"), CloseBillModel::eOrderCode, inert, automatic, centreH},
            {_("Symbol"), CloseBillModel::eSymbol, inert, automatic, centreH},
            {_("marketName"), CloseBillModel::eMarketName, inert, automatic, centreH},
            {_("ClosePrice"), CloseBillModel::eClosePrice, inert, automatic, centre},
            {_("Close B/S"), CloseBillModel::eSide, inert, automatic, centre},
            {_("Quantity"), CloseBillModel::eQuantity, inert, automatic, centre},
            {_("CloseProfit"), CloseBillModel::eCloseProfit, inert, automatic, centre},
            {_("ChargeClose"), CloseBillModel::eChargeClose, inert, automatic, centre},
            {_("CloseType"), CloseBillModel::eCloseType, inert, automatic, centre},
            {_("OpenTime"), CloseBillModel::eOpenTime, inert, automatic, centreH},
            {_("OpenPrice"), CloseBillModel::eOpenPrice, inert, automatic, centre},
            {_("HoldPrice"), CloseBillModel::eHoldPrice, inert, automatic, centre},
            {_("ChargeOpen"), CloseBillModel::eChargeOpen, inert, automatic, centre},
            {_("OrderCodeRe"), CloseBillModel::eOrderCodeRe, inert, automatic, centreH},
            {_("CloseTime"), CloseBillModel::eCloseTime, inert, automatic, centreH}};
}

} // namespace

CloseBillPane::CloseBillPane(RecordStore* db, HostManager* mgr, wxWindow* parent)
    : RecordListPane(db, mgr, parent)
{
    CreateList(new CloseBillModel(db));
    AppendColumns(Columns());
    LoadImages({"common/16/close"});
    PlaceList();
    IgnoreColumnSort();
    LoadColumnConfig(kConfigName);
    InitContextMenu({});
}

bool CloseBillPane::SelectCloseBill(const wxString& orderCode)
{
    return SelectRecord(orderCode, &trade_CloseBill::orderCode);
}
