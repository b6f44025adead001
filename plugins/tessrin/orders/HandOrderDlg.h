#pragma once

#include "common/MessageLine.h"
#include "layouts/HandOrderDlgBase.h"
#include "orders/HangOrder.h"

#include <cstdint>

class RecordStore;

// The modal dialog in which the trader enters a hang order (mode 0,
// "GuaPai"), looks at one (mode 1 "ZaiPai") or changes its price (mode 2
// "HuanJia"). A confirmed mode-0 order or a changed price is stored in the
// process-wide store, which is then saved; a price that is not above 0 is
// refused on the status line. Nothing is sent to the market.
//
// Opening: make it on the stack with the record store; either set the side
// and the symbol name (mode 0) or the chosen hang order and mode 1 or 2;
// ShowModal. The dialog ends its modal loop itself (EndModal) and is
// destroyed by its opener when ShowModal returns. GUI thread only.
class HandOrderDlg : public HandOrderDlgBase
{
public:
    // The parent is not used: the dialog has none.
    HandOrderDlg(wxWindow* parent, RecordStore* store);

    void SetMode(int mode) { m_mode = mode; }
    int GetMode() const { return m_mode; }
    // 'b' preselects Buy, anything else Sell.
    void SetSide(char side) { m_side = side; }
    // Mode 0: the symbol to preselect; modes 1 and 2: the hang order shown.
    void SetHangOrder(const HangOrder& order) { m_hangOrder = order; }
    void SetSymbolName(const wxString& name) { m_hangOrder.symbolName = name; }
    const HangOrder& GetHangOrder() const { return m_hangOrder; }

    // The message in red on the status line, "[hh:mm:ss]message", never
    // in a box; an empty message is the error text of -1.
    void ShowStatus(const wxString& message);

protected:
    void OnInitDialog(wxInitDialogEvent& event) override;
    void OnOK(wxCommandEvent& event) override;

private:
    void FillSymbols();
    void FillStoreNames();
    void ShowHangOrder();

    uint32_t m_quantity = 1; // the quantity validator's value
    int m_mode = 0;
    char m_side = 0;
    RecordStore* m_db;
    HangOrder m_hangOrder;
    MessageLine m_status; // the status line, never a box
};
