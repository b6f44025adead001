#include "panes/CloseBillModel.h"

#include "db/CodeTexts.h"
#include "db/DateTimeText.h"
#include "db/LinkedSymbol.h"
#include "db/NumberFormat.h"
#include "panes/ProfitColour.h"

CloseBillModel::CloseBillModel(RecordStore* db)
    : RecordListModel(db, db->m_trade_CloseBill_table.get(), eColumnCount, "CloseBillModel")
{}

bool CloseBillModel::HasLinks(const trade_CloseBill& bill) const
{
    return LinkedSymbol(bill, GetDatabase()) != nullptr;
}

void CloseBillModel::GetRecordValue(const trade_CloseBill& bill, unsigned int column, wxVariant& value) const
{
    CellValue(bill, column, value);
}

void CloseBillModel::GetRecordAttr(const trade_CloseBill& bill, unsigned int column,
                                   wxDataViewItemAttr& attr) const
{
    CellAttr(bill, column, attr);
}

void CloseBillModel::CellValue(const trade_CloseBill& bill, unsigned int column, wxVariant& value)
{
    const symbol_Property& property = *bill.cachedSymbolInfo->cachedSymbolProperty;
    switch(column) {
    case eOrderCode:
        value = bill.orderCode;
        break;
    case eSymbol:
        value = property.symbolName;
        break;
    case eMarketName:
        value = property.marketName;
        break;
    case eClosePrice:
        value = FormatPrice(bill.closePrice, property.digits);
        break;
    case eSide:
        value = DirectionText(bill.side);
        break;
    case eQuantity:
        value = FormatMoney(bill.quantity);
        break;
    case eCloseProfit:
        value = FormatMoney(bill.closeProfit);
        break;
    case eChargeClose:
        value = FormatMoney(bill.chargeClose);
        break;
    case eCloseType:
        value = CloseTypeText(bill.closeType);
        break;
    case eOpenTime:
        value = FormatDateTime(bill.openTime);
        break;
    case eOpenPrice:
        value = FormatPrice(bill.openPrice, property.digits);
        break;
    case eHoldPrice:
        value = FormatPrice(bill.holdPrice, property.digits);
        break;
    case eChargeOpen:
        value = FormatMoney(bill.chargeOpen);
        break;
    case eOrderCodeRe:
        value = bill.orderCodeRe;
        break;
    case eCloseTime:
        value = FormatDateTime(bill.closeTime);
        break;
    default:
        break;
    }
}

void CloseBillModel::CellAttr(const trade_CloseBill& bill, unsigned int column, wxDataViewItemAttr& attr)
{
    if(column == eCloseProfit) {
        ColourProfit(bill.closeProfit, attr);
    }
}
