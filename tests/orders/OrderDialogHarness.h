#pragma once

// What the order-dialog window tests share: the dialog with its controls in
// reach and its refreshes counted, a sender that records instead of sending,
// a scratch settings folder and pumps that also delete closed windows.
#include "EventPump.h"
#include "RecordingOrderSender.h"
#include "ScopedEnv.h"
#include "ScratchFolder.h"
#include "connection/RequestNotify.h"
#include "layouts/wxSpinCtrlDouble_.h"
#include "orders/OrderDialog.h"

#include <algorithm>
#include <pelmora/EditorConfig.h>
#include <utility>
#include <vector>
#include <wx/app.h>

// Runs what is queued now and the idle work, where closed windows are
// deleted, without waiting for anything.
inline void PumpPending()
{
    for(int pass = 0; pass < 20 && wxTheApp->HasPendingEvents(); ++pass) {
        PumpEvents();
    }
    PumpEvents();
    wxTheApp->ProcessIdle();
}

// Pumps, idle work included, until the window is gone.
inline bool PumpUntilDeleted(const wxWindow* window)
{
    return PumpUntil([window] {
        wxTheApp->ProcessIdle();
        return std::find(wxTopLevelWindows.begin(), wxTopLevelWindows.end(), window) ==
               wxTopLevelWindows.end();
    });
}

// The order dialog with its controls public and its refreshes counted.
class TestOrderDialog : public OrderDialog
{
public:
    TestOrderDialog(RecordStore* store, char marketType, HostManager* manager = nullptr)
        : OrderDialog(store, manager, marketType)
    {}

    using OrderDialogBase::m_buyRadio;
    using OrderDialogBase::m_cancelButton;
    using OrderDialogBase::m_expireCombo;
    using OrderDialogBase::m_marketOk;
    using OrderDialogBase::m_maxButton;
    using OrderDialogBase::m_messageText;
    using OrderDialogBase::m_orderInfoText;
    using OrderDialogBase::m_orderTypeCombo;
    using OrderDialogBase::m_ordRangeLabel;
    using OrderDialogBase::m_pointDiffCheck;
    using OrderDialogBase::m_pointDiffSpin;
    using OrderDialogBase::m_priceSpin;
    using OrderDialogBase::m_priceText1;
    using OrderDialogBase::m_priceText2;
    using OrderDialogBase::m_quantitySpin;
    using OrderDialogBase::m_sellRadio;
    using OrderDialogBase::m_stopLoss10Point;
    using OrderDialogBase::m_stopLossSpin;
    using OrderDialogBase::m_symbolCombo;
    using OrderDialogBase::m_takeProfit10Point;
    using OrderDialogBase::m_takeProfitSpin;

    // A click or a change as the control itself would report it.
    void Click(wxWindow* control, wxEventType type = wxEVT_BUTTON)
    {
        wxCommandEvent event(type, control->GetId());
        event.SetEventObject(control);
        control->ProcessWindowEvent(event);
    }
    void TypeQuantity(const wxString& text)
    {
        wxCommandEvent event(wxEVT_TEXT, m_quantitySpin->GetId());
        event.SetEventObject(m_quantitySpin);
        event.SetString(text);
        m_quantitySpin->ProcessWindowEvent(event);
    }

    // A spin control's change as the user would make it.
    void Spin(wxSpinCtrlDouble_* spin, double value)
    {
        wxSpinDoubleEvent event(wxEVT_SPINCTRLDOUBLE, spin->GetId(), value);
        event.SetEventObject(spin);
        spin->ProcessWindowEvent(event);
    }
    // Chooses an entry of the symbol list as the user would.
    void ChooseSymbolEntry(int entry)
    {
        m_symbolCombo->SetSelection(entry);
        Click(m_symbolCombo, wxEVT_COMBOBOX);
    }

    int refreshes = 0;

protected:
    void RefreshDialog() override
    {
        ++refreshes;
        OrderDialog::RefreshDialog();
    }
};

// A scratch user-data folder: the editor configuration (settings and
// per-symbol memory) starts empty and goes with the object.
class ScratchSettings
{
public:
    ScratchSettings() : m_userData("PELMORA_USER_DATA_DIR", m_folder.Path()) { EditorConfigST::Free(); }
    ~ScratchSettings() { EditorConfigST::Free(); }

private:
    ScratchFolder m_folder{"tessrin-orders"};
    ScopedEnv m_userData;
};
