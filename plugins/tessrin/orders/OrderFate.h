#pragma once

#include <set>
#include <tradeapi/FFixOrder.h>
#include <wx/string.h>

class RecordStore;

// What a sent order request leaves in the trade records once the market has
// carried it out, taken when it is sent: a new hold bill (or limit order, or
// binary order) of its account, symbol, side and quantity that was not there
// before, a bill closed or cut, the stops set, a limit order gone, a
// delivery state changed, a position side cut. A window whose wait ended
// without an answer (a time-out, the trade link dropped) learns from it
// whether the fill came, or whether the records read again show none.
// Window-free.
class OrderFate
{
public:
    // Nothing to look for: only the answer tells.
    OrderFate() = default;
    static OrderFate Of(RecordStore* store, int kind, const sFFixSetOrder& request);
    static OrderFate Of(RecordStore* store, const sFFixModifyOrder& request);
    static OrderFate Of(RecordStore* store, const sFFixCancelOrder& request);
    static OrderFate Of(RecordStore* store, const sFFixHoldBillDelivery& request);
    static OrderFate Of(RecordStore* store, const sFFixPositionCloseOrder& request);

    // Whether the records show the order carried out. `leaving` is the code
    // of a hold bill or limit order about to leave its table.
    bool IsCarriedOut(RecordStore* store, const wxString& leaving = wxString()) const;
    bool IsKnown() const { return m_look != eNothing; }

private:
    enum Look {
        eNothing,
        eNewHold,         // a market order
        eNewHoldOrLimit,  // a limit order, waiting or filled at once
        eNewBinary,       // a binary option
        eBillReduced,     // the close of a bill
        eStopsSet,        // new stops of a bill or limit order
        eLimitGone,       // a cancel
        eDeliveryChanged, // a delivery applied for or withdrawn
        ePositionReduced, // the close of a position side
    };
    bool HasNewHold(RecordStore* store) const;
    bool HasNewLimit(RecordStore* store) const;

    Look m_look = eNothing;
    int m_accountKey = 0;
    int m_symbolId = 0;
    char m_side = 0;
    double m_quantity = 0.0;
    double m_price = 0.0;
    double m_before = 0.0; // the bill's or the position side's quantity when sent
    wxString m_code;
    double m_stopLoss = 0.0;
    double m_takeProfit = 0.0;
    char m_deliveryType = 0;
    char m_deliveryStatus = 0;
    std::set<wxString> m_known; // the codes there were when it was sent
};
