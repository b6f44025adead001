#pragma once

#include "funds/PayPortRegistRules.h"

#include <cstdint>
#include <set>
#include <vector>
#include <wx/string.h>

class RecordStore;
struct sys_PayPort;
struct user_Account;
struct user_Payport;

// The pay-port registration dialog's lists and its current account, pay
// port and registration, recomputed from the record tables without windows.
// The records are held by key and looked up on use, so a record that leaves
// its table is simply no longer current.
class PayPortRegistModel
{
public:
    // A read-only list as the dialog shows it.
    struct Choice
    {
        std::vector<wxString> items;
        int selection = -1; // wxNOT_FOUND

        wxString GetSelected() const;
        // False, and the selection unchanged, when the text is not listed.
        bool Select(const wxString& text);
        // Deletes the items not wanted, appends the wanted ones missing; a
        // selected item that stays keeps its selection.
        void Sync(const std::set<wxString>& wanted);
        void SelectFirstIfNone();
    };

    // `accountKey`: the account the dialog was opened for.
    PayPortRegistModel(RecordStore* db, int accountKey);

    // At unload: the tables are about to go; nothing is current any more.
    void Detach() { m_db = nullptr; }
    // A market chosen in the list: its first account becomes current, then
    // the whole refresh.
    void SelectMarket(int index);

    // The whole refresh: markets, current account, channels, banks, pay port,
    // registration and mode.
    void Refresh();
    // After a channel was chosen: banks, pay port, registration and mode.
    void RefreshFromChannel();
    // First part of "Ok": current account, pay port, registration and mode
    // again from the lists as they are.
    void Reselect();

    Choice& GetMarkets() { return m_markets; }
    Choice& GetChannels() { return m_channels; }
    Choice& GetBanks() { return m_banks; }

    // The current records; null when there is none.
    const user_Account* GetAccount() const;
    const sys_PayPort* GetPayPort() const;
    const user_Payport* GetRegistration() const;
    PayPortRegistRules::Mode GetMode() const { return m_mode; }
    wxString GetSeatText() const;

    // The account the dialog was opened for and its registration (the first
    // serving its currency); null when gone.
    const user_Account* GetDialogAccount() const;
    const user_Payport* GetDialogRegistration() const;

private:
    void SelectAccount();
    void SelectPayPort();
    void SelectRegistration();
    const user_Account* FindAccount(int accountKey) const;

    RecordStore* m_db; // not owned
    int m_dialogAccountKey;
    int m_accountKey;               // the current account, -1 none
    int m_payPortId = -1;           // the current pay port, -1 none
    bool m_hasRegistration = false; // the current registration
    int64_t m_registrationKey = 0;  // its seat number
    PayPortRegistRules::Mode m_mode = PayPortRegistRules::eRegist;
    Choice m_markets;
    Choice m_channels;
    Choice m_banks;
};
