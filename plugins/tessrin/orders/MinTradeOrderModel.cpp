#include "orders/MinTradeOrderModel.h"

#include "common/IClientPlugin.h"
#include "db/DateTimeText.h"
#include "db/LinkedSymbol.h"
#include "db/NumberFormat.h"
#include "orders/MinTradeOrderCells.h"

#include <platform/SoundPlayer.h>
#include <wx/intl.h>

using namespace MinTradeOrderCells;

MinTradeOrderModel::MinTradeOrderModel(RecordStore* db, SoundPlayer* sounds)
    : RecordListModel(db, db->m_trade_BinaryOrder_table.get(), eColumnCount, "MinTradeOrderModel"),
      m_sounds(sounds)
{}

SoundPlayer* MinTradeOrderModel::Sounds() const
{
    if(m_sounds) {
        return m_sounds;
    }
    return g_plugin ? &g_plugin->GetSoundPlayer() : nullptr;
}

void MinTradeOrderModel::afterUpdate(const trade_BinaryOrder& stored, CTransaction* transaction,
                                     void* reserved)
{
    const int row = GetRecordRow(Find(stored));
    if(row == -1) {
        return;
    }
    RowChanged(static_cast<unsigned int>(row));
    wxUnusedVar(transaction);
    wxUnusedVar(reserved);
    const trade_BinaryOrder* order = GetRecordAt(static_cast<unsigned int>(row));
    if(order && order->orderState == '2' && order->GetSymbolInfo(GetDatabase())) {
        if(SoundPlayer* sounds = Sounds()) {
            sounds->Play(kRemindSound);
        }
    }
}

bool MinTradeOrderModel::HasLinks(const trade_BinaryOrder& order) const
{
    return LinkedSymbol(order, GetDatabase()) != nullptr;
}

void MinTradeOrderModel::GetRecordValue(const trade_BinaryOrder& order, unsigned int column,
                                        wxVariant& value) const
{
    CellValue(order, column, value);
}

void MinTradeOrderModel::CellValue(const trade_BinaryOrder& order, unsigned int column, wxVariant& value)
{
    const symbol_Property& property = *order.cachedSymbolInfo->cachedSymbolProperty;
    switch(column) {
    case eOrderCode:
        value = order.orderCode;
        break;
    case eSymbol:
        value = property.symbolName;
        break;
    case eMarketName:
        value = property.marketName;
        break;
    case ePeriodName:
        value = order.periodName;
        break;
    case eOpenTime:
        value = FormatTime(order.openTime);
        break;
    case eExpireTime:
        value = FormatTime(order.expireTime);
        break;
    case eSide:
        if(order.side == 'b') {
            value = _("seeUp");
        } else if(order.side == 's') {
            value = _("seeDown");
        }
        break;
    case eProfitRate:
        value = FormatPrice(order.profitRate * 100.0, 0, true) + "%";
        break;
    case eOpenPrice:
        value = FormatPrice(order.openPrice, property.digits);
        break;
    case eExpirePrice:
        value = FormatPrice(order.expirePrice, property.digits);
        break;
    case eOrderAmount:
        value = FormatMoney(order.orderAmount - order.charge);
        break;
    case eProfit:
        value = FormatMoney(order.profit);
        break;
    case eCharge:
        value = FormatMoney(order.charge, true);
        break;
    case eOrderStatus: {
        const wxString status = StatusValue(order);
        if(!status.empty()) {
            value = status;
        }
        break;
    }
    default:
        break;
    }
}

void MinTradeOrderModel::GetRecordAttr(const trade_BinaryOrder& order, unsigned int column,
                                       wxDataViewItemAttr& attr) const
{
    Tint tint = Tint::eNone;
    switch(column) {
    case eExpireTime:
        tint = ExpireTimeTint(order);
        break;
    case eProfit:
        tint = ProfitTint(order);
        break;
    case eOrderStatus: {
        const symbol_Property& property = *order.cachedSymbolInfo->cachedSymbolProperty;
        const symbol_price* price =
            property.GetSymbolPrice(GetDatabase()) ? property.cachedSymbolPrice.Get() : nullptr;
        tint = StatusTint(order, price);
        break;
    }
    default:
        break;
    }
    if(tint != Tint::eNone) {
        attr.SetColour(TintColour(tint));
    }
}
