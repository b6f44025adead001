#include "panes/InOutPageOpener.h"

#include "db/RecordStore.h"
#include "funds/InOutPageTarget.h"
#include "funds/OpenInOutPageExternal.h"
#include "panes/InOutPageHost.h"

#include <algorithm>
#include <wx/time.h>

InOutPageOpener::InOutPageOpener(RecordStore* db, InOutPageHost& host) : m_db(db), m_host(host)
{
    m_recheck.SetOwner(this);
    Bind(wxEVT_TIMER, &InOutPageOpener::OnRecheck, this);
}

InOutPageOpener::~InOutPageOpener()
{
    m_recheck.Stop();
}

const am_AmountInOut* InOutPageOpener::FindCurrent(int inOutId, const wxString& url) const
{
    if(!m_db || !m_db->m_am_AmountInOut_table) {
        return nullptr;
    }
    const auto& rows = m_db->m_am_AmountInOut_table->GetIndexByPrimary();
    const auto found = rows.find(inOutId);
    return found != rows.end() && found->bankUrl == url ? &*found : nullptr;
}

void InOutPageOpener::OpenInOutPage(wxWindow* parent, const am_AmountInOut& row)
{
    if(!m_db || !symbol_Info::GetAccount(row, m_db) || !AcceptBankAddress(row.bankUrl)) {
        return;
    }
    const auto& payports = *m_db->m_user_Payport_table;
    const auto payport = FindUserPayport(payports, *row.cachedAccount);
    if(payport == payports.GetIndexByPrimary().end() || !payport->GetSysPayPort(m_db)) {
        return;
    }
    if(payport->cachedSysPayPort->payPortCode == kSigningPayPort && !m_host.IsSignControlInstalled()) {
        Register(parent, row);
        return;
    }
    m_host.ShowInOutPage(row);
}

void InOutPageOpener::Register(wxWindow* parent, const am_AmountInOut& row)
{
    const int inOutId = row.inOutId;
    const wxString url = row.bankUrl;
    if(m_registering) {
        m_duringRegistration.emplace_back(inOutId, url);
        return;
    }
    m_registering = true;
    const std::weak_ptr<bool> alive = m_alive;
    // A modal wait: pushes, and the plug-in's unload, run inside it.
    m_host.RegistSignControl(parent);
    if(alive.expired()) {
        return;
    }
    m_registering = false;
    ScheduleRecheck(inOutId, url);
    for(const auto& [id, address] : m_duringRegistration) {
        ScheduleRecheck(id, address);
    }
    m_duringRegistration.clear();
}

void InOutPageOpener::QueueOpening(int inOutId, const wxString& url)
{
    const std::weak_ptr<bool> alive = m_alive;
    CallAfter([this, alive, inOutId, url] {
        if(!alive.expired()) {
            OpenIfCurrent(inOutId, url);
        }
    });
}

void InOutPageOpener::OpenIfCurrent(int inOutId, const wxString& url)
{
    if(const am_AmountInOut* row = FindCurrent(inOutId, url)) {
        const am_AmountInOut copy = *row; // the table may change while a page opens
        OpenInOutPage(nullptr, copy);
    }
}

void InOutPageOpener::ScheduleRecheck(int inOutId, const wxString& url)
{
    m_pending.push_back({inOutId, url, wxGetLocalTimeMillis() + m_recheckDelayMs});
    ArmTimer();
}

void InOutPageOpener::ArmTimer()
{
    if(m_pending.empty()) {
        m_recheck.Stop();
        return;
    }
    const wxLongLong wait = m_pending.front().dueMs - wxGetLocalTimeMillis();
    m_recheck.StartOnce(static_cast<int>(std::max<wxLongLong_t>(1, wait.GetValue())));
}

void InOutPageOpener::OnRecheck(wxTimerEvent& event)
{
    wxUnusedVar(event);
    const wxLongLong now = wxGetLocalTimeMillis();
    std::vector<Pending> due;
    while(!m_pending.empty() && m_pending.front().dueMs <= now) {
        due.push_back(m_pending.front());
        m_pending.pop_front();
    }
    ArmTimer();
    const std::weak_ptr<bool> alive = m_alive;
    for(const Pending& pending : due) {
        if(alive.expired()) {
            return;
        }
        Recheck(pending);
    }
}

void InOutPageOpener::Recheck(const Pending& pending)
{
    const am_AmountInOut* row = FindCurrent(pending.inOutId, pending.url);
    if(!row) {
        return;
    }
    if(m_host.IsSignControlInstalled()) {
        const am_AmountInOut copy = *row;
        m_host.ShowInOutPage(copy);
        return;
    }
    OpenInBankBrowser(m_host.GetBrowserLauncher(), pending.url);
}
