#include "orders/MinTradeOrderPane.h"

#include "orders/ExpireTimeRenderer.h"

#include <wx/intl.h>

namespace {

std::vector<ListColumn> Columns()
{
    constexpr int inert = wxDATAVIEW_CELL_INERT;
    constexpr int automatic = wxCOL_WIDTH_AUTOSIZE;
    constexpr int centre = wxALIGN_CENTER;
    using M = MinTradeOrderModel;
    return {{wxString(), M::eRowNumber, inert, automatic, centre},
            {_("OrderCode"), M::eOrderCode, inert, automatic, centre},
            {_("Symbol"), M::eSymbol, inert, automatic, centre},
            {_("marketName"), M::eMarketName, inert, automatic, centre},
            {_("PeriodName"), M::ePeriodName, inert, automatic, centre},
            {_("OpenTime"), M::eOpenTime, inert, automatic, centre},
            {_("ExpireTime"), M::eExpireTime, inert, automatic, centre},
            {_("B/S"), M::eSide, inert, automatic, centre},
            {_("ProfitRate"), M::eProfitRate, inert, automatic, centre},
            {_("OpenPrice"), M::eOpenPrice, inert, automatic, centre},
            {_("ExpirePrice"), M::eExpirePrice, inert, automatic, centre},
            {_("Order Amount"), M::eOrderAmount, inert, automatic, centre},
            {_("Profit"), M::eProfit, inert, automatic, centre},
            {_("Col_Charge"), M::eCharge, inert, automatic, centre},
            {_("OrderStatus"), M::eOrderStatus, inert, automatic, centre}};
}

} // namespace

MinTradeOrderPane::MinTradeOrderPane(RecordStore* db, HostManager* mgr, wxWindow* parent, SoundPlayer* sounds)
    : RecordListPane(db, mgr, parent)
{
    CreateList(new MinTradeOrderModel(db, sounds));
    AppendColumns(Columns());
    LoadImages({"common/16/close"});
    PlaceList();
    IgnoreColumnSort();
    LoadColumnConfig(kConfigName);
    InitContextMenu({});
}

bool MinTradeOrderPane::SelectOrder(const wxString& orderCode)
{
    return SelectRecord(orderCode, &trade_BinaryOrder::orderCode);
}

wxDataViewRenderer* MinTradeOrderPane::CreateRenderer(const ListColumn& column)
{
    if(column.modelColumn == MinTradeOrderModel::eOrderStatus) {
        return new ExpireTimeRenderer();
    }
    return ListPane::CreateRenderer(column);
}
