#include "common/RefreshClock.h"

#include "common/IClientPlugin.h"

#include <algorithm>

RefreshClock::RefreshClock() : m_timer(this)
{
    Bind(wxEVT_TIMER, &RefreshClock::OnTimer, this, m_timer.GetId());
}

RefreshClock::~RefreshClock()
{
    m_timer.Stop();
    Unbind(wxEVT_TIMER, &RefreshClock::OnTimer, this, m_timer.GetId());
}

void RefreshClock::Request(Client* client)
{
    if(!client || IsWaiting(client)) {
        return;
    }
    m_waiting.push_back(client);
    if(!m_timer.IsRunning()) {
        m_timer.StartOnce(kPeriodMs);
    }
}

void RefreshClock::Cancel(Client* client)
{
    m_waiting.erase(std::remove(m_waiting.begin(), m_waiting.end(), client), m_waiting.end());
    // One that goes during a tick is not called later in it.
    std::replace(m_ticking.begin(), m_ticking.end(), client, static_cast<Client*>(nullptr));
    if(m_waiting.empty()) {
        m_timer.Stop();
    }
}

bool RefreshClock::IsWaiting(const Client* client) const
{
    return std::find(m_waiting.begin(), m_waiting.end(), client) != m_waiting.end();
}

void RefreshClock::Tick()
{
    m_timer.Stop();
    // Requests made by the clients called now wait for the next tick.
    m_ticking.swap(m_waiting);
    m_waiting.clear();
    for(std::size_t i = 0; i < m_ticking.size(); ++i) {
        if(Client* client = m_ticking[i]) {
            m_ticking[i] = nullptr;
            client->OnRefreshTick();
        }
    }
    m_ticking.clear();
}

void RefreshClock::OnTimer(wxTimerEvent& event)
{
    wxUnusedVar(event);
    Tick();
}

RefreshClock* PluginRefreshClock()
{
    return g_plugin ? &g_plugin->GetRefreshClock() : nullptr;
}
