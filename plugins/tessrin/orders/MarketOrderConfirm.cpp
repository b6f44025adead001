#include "orders/MarketOrderConfirm.h"

#include "connection/RecordFromFix.h"
#include "db/CodeTexts.h"
#include "db/NumberFormat.h"
#include "db/RecordStore.h"
#include "db/TradeArithmetic.h"
#include "orders/FinalOrderCheck.h"
#include "orders/OrderKindTraits.h"

#include <algorithm>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace {
constexpr int kRowCount = 8;
enum Row {
    eNameRow = 0,
    eSideRow,
    ePriceRow,
    eQuantityRow,
    eOrderTypeRow,
    eStopLossRow,
    eTakeProfitRow,
    eMarginRow
};

bool IsMarketCode(char code)
{
    return code == '1' || code == '2';
}
} // namespace

MarketOrderConfirm::MarketOrderConfirm(RecordStore* store, wxWindow* parent)
    : NewOrderConfirmBase(parent, wxID_ANY, _("orderConfrimDlg")), m_pDb(store)
{
    // Between the rows and the buttons.
    m_riskWarning = new wxStaticText(this, wxID_ANY, wxEmptyString);
    m_riskWarning->SetForegroundColour(*wxRED);
    m_riskWarning->Hide();
    GetSizer()->Insert(1, m_riskWarning, 0, wxLEFT | wxRIGHT | wxEXPAND, 10);
    if(m_pDb && m_pDb->m_symbol_price_table) {
        m_pDb->m_symbol_price_table->AddActionTrigger(this);
    }
}

MarketOrderConfirm::~MarketOrderConfirm()
{
    if(CObjectFactory<symbol_price>* table = GetObservedTable()) {
        table->RemoveActionTrigger(this);
    }
}

wxStaticText* MarketOrderConfirm::Caption(int row) const
{
    wxStaticText* const captions[kRowCount] = {m_symbolNameCaption, m_sideCaption,      m_priceCaption,
                                               m_quantityCaption,   m_orderTypeCaption, m_stopLossCaption,
                                               m_takeProfitCaption, m_marginTypeCaption};
    return row >= 0 && row < kRowCount ? captions[row] : nullptr;
}

wxTextCtrl* MarketOrderConfirm::Value(int row) const
{
    wxTextCtrl* const values[kRowCount] = {m_symbolNameValue, m_sideValue,      m_priceValue,
                                           m_quantityValue,   m_orderTypeValue, m_stopLossValue,
                                           m_takeProfitValue, m_marginTypeValue};
    return row >= 0 && row < kRowCount ? values[row] : nullptr;
}

wxString MarketOrderConfirm::GetRowValue(int row) const
{
    const wxTextCtrl* value = Value(row);
    return value ? value->GetValue() : wxString();
}

wxString MarketOrderConfirm::GetRowCaption(int row) const
{
    const wxStaticText* caption = Caption(row);
    return caption ? caption->GetLabel() : wxString();
}

bool MarketOrderConfirm::IsRowShown(int row) const
{
    const wxTextCtrl* value = Value(row);
    return value && value->IsShown();
}

wxString MarketOrderConfirm::GetRiskWarning() const
{
    return m_riskText;
}

void MarketOrderConfirm::UpdateRiskWarning()
{
    const wxString warning =
        m_pSetOrder ? FinalOrderCheck::RiskWarning(m_pDb, m_orderKind, *m_pSetOrder) : wxString();
    if(warning == m_riskText) {
        return;
    }
    m_riskText = warning;
    m_riskWarning->SetLabel(warning);
    m_riskWarning->Show(!warning.empty());
    m_riskWarning->Wrap(std::max(GetClientSize().x - 20, 200));
    GetSizer()->Fit(this);
    Layout();
}

void MarketOrderConfirm::ShowRow(int row, bool show)
{
    Caption(row)->Show(show);
    Value(row)->Show(show);
}

const symbol_Info* MarketOrderConfirm::FindSymbol(int symbolId) const
{
    if(!m_pDb || !m_pDb->m_symbol_Info_table) {
        return nullptr;
    }
    const auto& symbols = m_pDb->m_symbol_Info_table->GetIndexByPrimary();
    const auto found = symbols.find(symbolId);
    return found != symbols.end() ? &*found : nullptr;
}

wxString MarketOrderConfirm::PriceText(const symbol_Info& symbol, double price, bool trim) const
{
    return FormatPrice(price, symbol.cachedSymbolProperty->digits, trim);
}

void MarketOrderConfirm::OnInitDialog(wxInitDialogEvent& event)
{
    event.Skip();
    if(Fill()) {
        // Laid out again even when the dialog keeps its size: the captions are.
        GetSizer()->Fit(this);
        Layout();
    }
}

bool MarketOrderConfirm::Fill()
{
    const OrderKindTraits& kind = OrderKindTraits::Of(m_orderKind);
    switch(kind.request) {
    case OrderKindTraits::eSetOrder: {
        if(!m_pSetOrder) {
            return false;
        }
        const symbol_Info* symbol = FindSymbol(m_pSetOrder->symbolId);
        if(!symbol || !symbol->GetSymbolProperty(m_pDb)) {
            return false;
        }
        const char code = m_pSetOrder->orderType;
        m_symbolNameValue->ChangeValue(symbol->cachedSymbolProperty->symbolName);
        m_sideValue->ChangeValue(SideWordText(m_pSetOrder->side));
        m_priceValue->ChangeValue(PriceText(*symbol, m_pSetOrder->price));
        m_quantityValue->ChangeValue(FormatMoney(m_pSetOrder->quantity));
        m_orderTypeValue->ChangeValue(code == '3' || code == '4' ? _("NewLimitOrder")
                                                                 : OrderOperTypeText(code));
        if(kind.opens) {
            UpdateRiskWarning();
            m_stopLossValue->ChangeValue(PriceText(*symbol, m_pSetOrder->stopLoss));
            m_takeProfitValue->ChangeValue(PriceText(*symbol, m_pSetOrder->takeProfit));
            m_marginTypeValue->ChangeValue(m_pSetOrder->marginTradeType == '3' ? _("WithoutMarginTradeType")
                                                                               : _("marginTradeType"));
        } else {
            m_stopLossCaption->SetLabel(_("OrderCode:"));
            m_stopLossValue->ChangeValue(NarrowText(m_pSetOrder->closeOrderCode));
            ShowRow(eTakeProfitRow, false);
            ShowRow(eMarginRow, false);
        }
        return true;
    }
    case OrderKindTraits::eModifyOrder: {
        if(!m_pModifyOrder) {
            return false;
        }
        const wxString orderCode = NarrowText(m_pModifyOrder->orderCode);
        const symbol_Info* symbol = nullptr;
        char side = 0;
        const auto hold = m_pDb->m_trade_HoldBill_table->Find(orderCode);
        if(hold != m_pDb->m_trade_HoldBill_table->GetIndexByPrimary().end()) {
            symbol = hold->GetSymbolInfo(m_pDb) ? hold->cachedSymbolInfo.Get() : nullptr;
            side = hold->side;
        } else {
            const auto& limits = m_pDb->m_trade_Limit_table->GetIndexByPrimary();
            const auto limit = limits.find(orderCode);
            if(limit == limits.end()) {
                return false;
            }
            symbol = limit->GetSymbolInfo(m_pDb) ? limit->cachedSymbolInfo.Get() : nullptr;
            side = limit->side;
        }
        if(!symbol || !symbol->GetSymbolProperty(m_pDb)) {
            return false;
        }
        m_symbolNameValue->ChangeValue(symbol->cachedSymbolProperty->symbolName);
        m_sideValue->ChangeValue(SideWordText(side));
        m_priceCaption->SetLabel(_("OrderCode:"));
        m_priceValue->ChangeValue(orderCode);
        m_quantityCaption->SetLabel(_("StopLoss:"));
        m_quantityValue->ChangeValue(PriceText(*symbol, m_pModifyOrder->stopLoss));
        m_orderTypeCaption->SetLabel(_("TakeProfit:"));
        m_orderTypeValue->ChangeValue(PriceText(*symbol, m_pModifyOrder->takeProfit));
        ShowRow(eStopLossRow, false);
        ShowRow(eTakeProfitRow, false);
        ShowRow(eMarginRow, false);
        return true;
    }
    case OrderKindTraits::eCancelOrder: {
        if(!m_pCancelOrder) {
            return false;
        }
        const wxString orderCode = NarrowText(m_pCancelOrder->orderCode);
        const auto& limits = m_pDb->m_trade_Limit_table->GetIndexByPrimary();
        const auto limit = limits.find(orderCode);
        if(limit == limits.end() || !limit->GetSymbolInfo(m_pDb)) {
            return false;
        }
        const symbol_Info& symbol = *limit->cachedSymbolInfo;
        if(!symbol.GetSymbolProperty(m_pDb)) {
            return false;
        }
        // What is cancelled, as its close shows a bill.
        m_symbolNameValue->ChangeValue(symbol.cachedSymbolProperty->symbolName);
        m_sideValue->ChangeValue(SideWordText(limit->side));
        m_priceValue->ChangeValue(PriceText(symbol, limit->orderPrice));
        m_quantityValue->ChangeValue(FormatMoney(limit->quantityOrder));
        m_orderTypeValue->ChangeValue(LimitOrderTypeText(limit->limitType));
        m_stopLossCaption->SetLabel(_("OrderCode:"));
        m_stopLossValue->ChangeValue(orderCode);
        ShowRow(eTakeProfitRow, false);
        ShowRow(eMarginRow, false);
        return true;
    }
    case OrderKindTraits::eHoldBillDelivery: {
        if(!m_pDeliveryOrder) {
            return false;
        }
        const auto hold = m_pDb->m_trade_HoldBill_table->Find(NarrowText(m_pDeliveryOrder->orderCode));
        if(hold == m_pDb->m_trade_HoldBill_table->GetIndexByPrimary().end() || !hold->GetSymbolInfo(m_pDb)) {
            return false;
        }
        const symbol_Info& symbol = *hold->cachedSymbolInfo;
        if(!symbol.GetSymbolProperty(m_pDb)) {
            return false;
        }
        m_symbolNameValue->ChangeValue(symbol.cachedSymbolProperty->symbolName);
        m_sideValue->ChangeValue(SideWordText(hold->side));
        m_priceCaption->SetLabel(_("DeliveryPrice:"));
        m_priceValue->ChangeValue(PriceText(symbol, hold->holdPrice, false));
        m_quantityValue->ChangeValue(FormatMoney(hold->quantity));
        // What the request does, as it carries it: apply, or withdraw.
        m_orderTypeValue->ChangeValue(m_pDeliveryOrder->apply == '1' ? _("Delivery Order")
                                                                     : _("UnDelivery Order"));
        for(int row = eStopLossRow; row < kRowCount; ++row) {
            ShowRow(row, false);
        }
        return true;
    }
    case OrderKindTraits::ePositionClose: {
        if(!m_pPositionClose) {
            return false;
        }
        const symbol_Info* symbol = FindSymbol(m_pPositionClose->symbolId);
        if(!symbol || !symbol->GetSymbolProperty(m_pDb)) {
            return false;
        }
        m_symbolNameValue->ChangeValue(symbol->cachedSymbolProperty->symbolName);
        m_sideValue->ChangeValue(SideWordText(m_pPositionClose->side));
        m_priceValue->ChangeValue(PriceText(*symbol, m_pPositionClose->price));
        m_quantityValue->ChangeValue(FormatMoney(m_pPositionClose->quantity));
        m_orderTypeValue->ChangeValue(_("Close Position"));
        ShowRow(eStopLossRow, false);
        ShowRow(eTakeProfitRow, false);
        ShowRow(eMarginRow, false);
        return true;
    }
    }
    return false;
}

void MarketOrderConfirm::afterUpdate(const symbol_price& stored, CTransaction* /*transaction*/,
                                     void* /*reserved*/)
{
    if(!OrderKindTraits::Of(m_orderKind).tradesAtQuote) {
        return;
    }
    int symbolId = 0;
    char code = 0;
    char side = 0;
    double* price = nullptr;
    if(m_pSetOrder) {
        symbolId = m_pSetOrder->symbolId;
        code = m_pSetOrder->orderType;
        side = m_pSetOrder->side;
        price = &m_pSetOrder->price;
    } else if(m_pPositionClose) {
        symbolId = m_pPositionClose->symbolId;
        code = m_pPositionClose->orderType;
        side = m_pPositionClose->side;
        price = &m_pPositionClose->price;
    } else {
        return;
    }
    if(stored.symbolId != symbolId || !stored.GetSymbolProperty(m_pDb) || !IsMarketCode(code)) {
        return;
    }
    const symbol_Info* symbol = FindSymbol(symbolId);
    if(!symbol) {
        return;
    }
    double sellQuote = 0.0;
    double buyQuote = 0.0;
    CalcStopProfitBounds(m_pDb, *symbol, sellQuote, buyQuote);
    // Market '2' trades at the last price itself, as the order dialog sends it.
    *price = symbol->marketType == '2' ? stored.lastPrice : side == 'b' ? buyQuote : sellQuote;
    if(symbol->GetSymbolProperty(m_pDb)) {
        m_priceValue->ChangeValue(PriceText(*symbol, *price));
    }
    if(OrderKindTraits::Of(m_orderKind).opens) {
        UpdateRiskWarning();
    }
}
