#include "funds/PayPortRegistModel.h"

#include "db/RecordStore.h"

#include <algorithm>

wxString PayPortRegistModel::Choice::GetSelected() const
{
    if(selection < 0 || static_cast<std::size_t>(selection) >= items.size()) {
        return wxString();
    }
    return items[static_cast<std::size_t>(selection)];
}

bool PayPortRegistModel::Choice::Select(const wxString& text)
{
    const auto found = std::find(items.begin(), items.end(), text);
    if(found == items.end()) {
        return false;
    }
    selection = static_cast<int>(found - items.begin());
    return true;
}

void PayPortRegistModel::Choice::Sync(const std::set<wxString>& wanted)
{
    const wxString selected = GetSelected();
    const bool hadSelection = selection >= 0;
    items.erase(std::remove_if(items.begin(), items.end(),
                               [&wanted](const wxString& item) { return wanted.count(item) == 0; }),
                items.end());
    for(const wxString& text : wanted) {
        if(std::find(items.begin(), items.end(), text) == items.end()) {
            items.push_back(text);
        }
    }
    selection = -1;
    if(hadSelection) {
        Select(selected);
    }
}

void PayPortRegistModel::Choice::SelectFirstIfNone()
{
    if(selection < 0 && !items.empty()) {
        selection = 0;
    }
}

PayPortRegistModel::PayPortRegistModel(RecordStore* db, int accountKey)
    : m_db(db), m_dialogAccountKey(accountKey), m_accountKey(accountKey)
{}

const user_Account* PayPortRegistModel::FindAccount(int accountKey) const
{
    if(!m_db || !m_db->m_user_Account_table) {
        return nullptr;
    }
    const auto& accounts = m_db->m_user_Account_table->GetIndexByPrimary();
    const auto found = accounts.find(accountKey);
    return found == accounts.end() ? nullptr : &*found;
}

const user_Account* PayPortRegistModel::GetAccount() const
{
    return FindAccount(m_accountKey);
}

const user_Account* PayPortRegistModel::GetDialogAccount() const
{
    return FindAccount(m_dialogAccountKey);
}

const user_Payport* PayPortRegistModel::GetDialogRegistration() const
{
    const user_Account* account = GetDialogAccount();
    if(!account || !m_db->m_user_Payport_table) {
        return nullptr;
    }
    const auto& table = *m_db->m_user_Payport_table;
    const auto found = FindUserPayport(table, *account);
    return found == table.GetIndexByPrimary().end() ? nullptr : &*found;
}

const sys_PayPort* PayPortRegistModel::GetPayPort() const
{
    if(m_payPortId < 0 || !m_db || !m_db->m_sys_PayPort_table) {
        return nullptr;
    }
    const auto& ports = m_db->m_sys_PayPort_table->GetIndexByPrimary();
    const auto found = ports.find(m_payPortId);
    return found == ports.end() ? nullptr : &*found;
}

const user_Payport* PayPortRegistModel::GetRegistration() const
{
    if(!m_hasRegistration || !m_db || !m_db->m_user_Payport_table) {
        return nullptr;
    }
    const auto& registrations = m_db->m_user_Payport_table->GetIndexByPrimary();
    const auto found = registrations.find(m_registrationKey);
    return found == registrations.end() ? nullptr : &*found;
}

wxString PayPortRegistModel::GetSeatText() const
{
    return PayPortRegistRules::SeatText(GetRegistration(), GetAccount());
}

void PayPortRegistModel::Refresh()
{
    if(!m_db || !m_db->m_user_Account_table) {
        return;
    }
    std::set<wxString> markets;
    for(const user_Account& account : m_db->m_user_Account_table->GetIndexByPrimary()) {
        markets.insert(account.marketName);
    }
    m_markets.Sync(markets);
    if(const user_Account* account = GetAccount()) {
        m_markets.Select(account->marketName);
    }
    m_markets.SelectFirstIfNone();

    SelectAccount();
    if(const user_Account* account = GetAccount()) {
        std::set<wxString> channels;
        for(const sys_PayPort& port : m_db->m_sys_PayPort_table->GetIndexByPrimary()) {
            if(port.currency == account->currency) {
                channels.insert(port.channelName);
            }
        }
        m_channels.Sync(channels);
        if(const sys_PayPort* port = GetPayPort()) {
            m_channels.Select(port->channelName);
        }
        m_channels.SelectFirstIfNone();
    }
    RefreshFromChannel();
}

void PayPortRegistModel::SelectMarket(int index)
{
    if(!m_db || !m_db->m_user_Account_table || index < 0 ||
       static_cast<std::size_t>(index) >= m_markets.items.size()) {
        return;
    }
    // Else the refresh would select the previous account's market again.
    m_markets.selection = index;
    SelectAccount();
    Refresh();
}

void PayPortRegistModel::RefreshFromChannel()
{
    if(!m_db || !m_db->m_sys_PayPort_table) {
        return;
    }
    const wxString channel = m_channels.GetSelected();
    std::set<wxString> banks;
    for(const sys_PayPort& port : m_db->m_sys_PayPort_table->GetIndexByPrimary()) {
        if(port.channelName == channel) {
            banks.insert(port.bankName);
        }
    }
    m_banks.Sync(banks);
    if(const sys_PayPort* port = GetPayPort()) {
        m_banks.Select(port->bankName);
    }
    m_banks.SelectFirstIfNone();

    SelectPayPort();
    SelectRegistration();
    m_mode = PayPortRegistRules::GetMode(GetRegistration());
}

void PayPortRegistModel::Reselect()
{
    if(!m_db || !m_db->m_user_Account_table) {
        return;
    }
    SelectAccount();
    SelectPayPort();
    SelectRegistration();
    m_mode = PayPortRegistRules::GetMode(GetRegistration());
}

void PayPortRegistModel::SelectAccount()
{
    const wxString market = m_markets.GetSelected();
    const auto& accounts = m_db->m_user_Account_table->GetIndex<BySequence>();
    const auto found = std::find_if(accounts.begin(), accounts.end(), [&market](const user_Account& account) {
        return account.marketName == market;
    });
    if(found == accounts.end()) {
        m_accountKey = -1;
        return;
    }
    m_accountKey = found->accountKey;
    // Registration and pay port only pre-select the lists: kept when not found.
    const auto& registrations = *m_db->m_user_Payport_table;
    const auto registration = FindUserPayport(registrations, *found);
    if(registration == registrations.GetIndexByPrimary().end()) {
        return;
    }
    m_hasRegistration = true;
    m_registrationKey = registration->payportKey;
    if(registration->GetSysPayPort(m_db)) {
        m_payPortId = registration->cachedSysPayPort.Get()->sysPayPortId;
    }
}

void PayPortRegistModel::SelectPayPort()
{
    const wxString channel = m_channels.GetSelected();
    const wxString bank = m_banks.GetSelected();
    m_payPortId = -1;
    for(const sys_PayPort& port : m_db->m_sys_PayPort_table->GetIndexByPrimary()) {
        if(port.channelName == channel && (bank.empty() || port.bankName == bank)) {
            m_payPortId = port.sysPayPortId;
            return;
        }
    }
}

void PayPortRegistModel::SelectRegistration()
{
    m_hasRegistration = false;
    if(m_payPortId < 0) {
        return;
    }
    for(const user_Payport& registration : m_db->m_user_Payport_table->GetIndexByPrimary()) {
        if(registration.sysPayPortId == m_payPortId) {
            m_hasRegistration = true;
            m_registrationKey = registration.payportKey;
            return;
        }
    }
}
