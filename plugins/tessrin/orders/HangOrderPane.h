#pragma once

#include "common/RecordListPane.h"
#include "db/CActionTrigger.h"
#include "orders/HangOrderModel.h"

struct symbol_Info;
struct user_LoginInfo;

// The hang orders of one symbol of market type '3', a page of the host's
// centre notebook that the frame opens in place of a chart. It mirrors the
// process-wide store: an order added or changed there for its symbol name
// (compared case-sensitively) is added or changed here. It empties when the
// login record goes and fills again when one arrives. Its menu and a row
// activation show the focused order in the hang-order dialog. Destroying it
// saves the store to its file.
class HangOrderPane : public RecordListPane<HangOrderModel>,
                      public CActionTrigger<user_LoginInfo>,
                      public CActionTrigger<HangOrder>
{
public:
    static constexpr const char* kConfigName = "HangOrderPane";

    HangOrderPane(wxWindow* parent, RecordStore* db, const symbol_Info& symbol, HostManager* mgr);
    ~HangOrderPane() override;

    // The symbol's code: the frame finds the pane by it and remembers it.
    wxString GetCaption() const { return m_caption; }
    // The name of the symbol's property record, which selects the orders.
    const wxString& GetSymbolName() const { return m_symbolName; }

    // The focused order in the dialog, mode 1 ("ZaiPai") or 2 ("HuanJia");
    // nothing without a focused row. The list and the store stay as they are.
    void OnZaiPai(wxCommandEvent& event);
    void OnHuanJia(wxCommandEvent& event);

    // Login table: a record added or changed refills the list, one going
    // empties it.
    void afterAdd(const user_LoginInfo& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const user_LoginInfo& stored, CTransaction* transaction, void* reserved) override;
    bool beforeRemove(const user_LoginInfo& stored, CTransaction* transaction, void* reserved) override;
    // The store: an order of the pane's symbol is mirrored or dropped.
    void afterAdd(const HangOrder& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const HangOrder& stored, CTransaction* transaction, void* reserved) override;
    bool beforeRemove(const HangOrder& stored, CTransaction* transaction, void* reserved) override;

protected:
    // Column 9 gets a host text cell that writes a number with two decimals.
    wxDataViewRenderer* CreateRenderer(const ListColumn& column) override;

private:
    void Fill();
    void Empty();
    void Reload();
    void Mirror(const HangOrder& stored);
    void ShowFocusedOrder(int mode);
    void OnItemActivated(wxDataViewEvent& event);

    wxString m_caption;
    wxString m_symbolName;
};
