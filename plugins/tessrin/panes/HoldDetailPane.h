#pragma once

#include "common/ListPane.h"

#include <functional>
#include <wx/datetime.h>

class HoldDetailModel;
class HostManager;
class OrderDialog;
class RecordStore;
struct symbol_Info;
struct trade_HoldBill;

// The "Trade" page: the hold-detail list (HoldDetailModel) and what the
// trader does with a bill. The links of a bill row (Quantity, StopLoss,
// TakeProfit, DeliveryStatus) and a double click open the order dialog; the
// context menu opens it for a new order, a close, a modify or a delivery,
// and shows the bill's order contract when the template exists. A summary
// row is never left selected: a click on it is remembered instead, and a
// double click on it opens the deposit of its account. The host's money
// commands open the deposit and withdrawal dialog.
class HoldDetailPane : public ListPane
{
public:
    using Clock = std::function<wxDateTime()>;
    // What a link or a double click asks for.
    enum Action {
        eNoAction,
        eNewOrderAction,
        eCloseAction,
        eModifyAction,
        eDeliveryAction,
    };

    HoldDetailPane(RecordStore* db, HostManager* mgr, wxWindow* parent);
    ~HoldDetailPane() override;

    HoldDetailModel* GetModel() const;
    // Selects the first bill row with that order code (case-sensitive), as
    // the only selection and scrolled into view; false when none has it.
    bool SelectHoldBill(const wxString& orderCode);
    // The action of a click on the link of that model column.
    static Action LinkAction(unsigned int modelColumn);
    // Opens the order dialog for the action on the selected row (a new
    // order also from the remembered summary row).
    void RunAction(Action action);
    // The summary row last clicked; -1 while a command asks for the master
    // account.
    int GetRememberedRow() const { return m_rememberedRow; }
    // Before the context menu: true shows none (a summary row); for a bill
    // row only the delivery entry that fits its state is enabled.
    bool OnPopupMenu(wxDataViewEvent& event);
    // Replaces the clock of the double-click debounce (tests); the last
    // activation is now on the new clock.
    void SetClock(Clock clock)
    {
        m_clock = std::move(clock);
        m_lastActivation = m_clock();
    }

protected:
    wxDataViewRenderer* CreateRenderer(const ListColumn& column) override;
    void OnLinkClicked(wxDataViewEvent& event) override;

private:
    // The bill of the one selected row whose account, login and symbol
    // links resolve; null otherwise.
    const trade_HoldBill* GetChosenBill() const;
    // The selected row, else the remembered one.
    int GetActionRow() const;
    // An order dialog of that kind over the bill's order and symbol; null
    // when none can be made.
    OrderDialog* CreateBillDialog(const trade_HoldBill& bill, int kind);
    void OpenCloseDialog(const trade_HoldBill& bill);
    void OpenModifyDialog(const trade_HoldBill& bill, int kind);
    void OpenNewOrderDialog();
    void ShowOrderContract();
    // Whether the debounce lets an activation through now; remembers now.
    bool TakeActivation();

    void OnSelectionChanged(wxDataViewEvent& event);
    void OnItemActivated(wxDataViewEvent& event);
    void OnMenuCommand(wxCommandEvent& event);
    // "in_money" (deposit) and "out_money" (withdrawal) from the host's menus.
    void OnMoneyCommand(wxCommandEvent& event);
    // The money dialog of the mode, modal, for the account of the action row
    // (else the master account).
    void OpenMoneyDialog(int mode);
    // "modify_password", "transfer_Acc", "change_MainAcc" and
    // "setsurety_Money" from the host's menus: the dialog, modal.
    void OnAccountCommand(wxCommandEvent& event);
    // "payport_regist": the registration dialog, modal, for the account of
    // the action row (else the first account) once its login is known.
    void OnPayPortRegist(wxCommandEvent& event);

    int m_rememberedRow = 0;
    wxDateTime m_lastActivation;
    Clock m_clock;
};
