#include "history/HistoryQuery.h"

#include "common/ServerInfo.h"

#include <climits>
#include <cstdlib>

HistoryQuery::HistoryQuery(ServerSource servers, RandomSource random)
    : m_source(std::move(servers)), m_random(std::move(random))
{
    if(!m_random) {
        m_random = [] { return std::rand(); };
    }
}

bool HistoryQuery::RefreshServers()
{
    const ServerInfo* server = m_source ? m_source() : nullptr;
    if(!server) {
        return false;
    }
    // Another login may be another market: its ids mean nothing to the
    // report servers of the first, so its own list is taken and drawn afresh.
    if(m_servers.empty() || server->name != m_serverName) {
        m_servers = server->history;
        m_serverName = server->name;
        m_serverIndex = 0;
        m_fixedServer = -1;
    }
    return true;
}

wxString HistoryQuery::GetServer()
{
    m_retryCount = 0;
    if(!RefreshServers() || m_servers.empty()) {
        return wxString();
    }
    const int count = static_cast<int>(m_servers.size());
    if(m_fixedServer >= 0 && m_fixedServer < count) {
        m_serverIndex = m_fixedServer;
    } else {
        m_serverIndex = std::abs(m_random() % count);
    }
    return m_servers[m_serverIndex];
}

bool HistoryQuery::Failed()
{
    ++m_retryCount;
    m_fixedServer = -1;
    return m_retryCount < m_servers.size();
}

wxString HistoryQuery::NextServer()
{
    if(m_servers.empty()) {
        return wxString();
    }
    m_serverIndex = (m_serverIndex + 1) % static_cast<int>(m_servers.size());
    return m_servers[m_serverIndex];
}

HistoryQuery::PageRequest HistoryQuery::RequestFor(int page, int pageSize, bool pageSizeChanged)
{
    if(pageSizeChanged) {
        return {0, 1};
    }
    const long long start = static_cast<long long>(page > 1 ? page - 1 : 0) * pageSize;
    return {start > INT_MAX ? INT_MAX : static_cast<int>(start), page};
}

HistoryQuery::PageReply HistoryQuery::ReplyFor(const JSONElement& reply, int page, int pageSize)
{
    PageReply result{};
    long long total = 0;
    if(!reply.namedObject("totalCount").toString("0").ToLongLong(&total, 10) || total < 0) {
        total = 0;
    }
    result.total = total > INT_MAX ? INT_MAX : static_cast<int>(total);
    const int size = pageSize > 0 ? pageSize : 1;
    result.pageCount = result.total / size + (result.total % size != 0 ? 1 : 0);
    result.page = page < result.pageCount ? page : result.pageCount;
    if(result.page < 1) {
        result.page = 1;
    }
    result.firstRowNumber = (result.page - 1) * size + 1;
    result.rowCount = reply.namedObject("data").arraySize();
    return result;
}

wxString HistoryQuery::HostOf(const wxString& server)
{
    const int slashes = server.Find("//");
    return slashes == wxNOT_FOUND ? server : server.Mid(slashes + 2);
}

wxString HistoryQuery::EscapeQueryValue(const wxString& text)
{
    static const char hex[] = "0123456789ABCDEF";
    const std::string utf8 = text.utf8_string();
    std::string escaped;
    escaped.reserve(utf8.size() * 3);
    for(const unsigned char c : utf8) {
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                                c == '-' || c == '.' || c == '_' || c == '~';
        if(unreserved) {
            escaped += static_cast<char>(c);
        } else {
            escaped += '%';
            escaped += hex[c >> 4];
            escaped += hex[c & 0x0F];
        }
    }
    return wxString::FromAscii(escaped.c_str());
}

wxString HistoryQuery::BuildUrl(const wxString& server, const wxString& path, JSONElement& root,
                                const PageRequest& request, int pageSize, int totalCount)
{
    JSONElement pageCtrl = JSONElement::createObject("pageCtrl");
    pageCtrl.addProperty("start", wxString::Format("%d", request.start));
    pageCtrl.addProperty("limit", wxString::Format("%d", pageSize));
    pageCtrl.addProperty("page", "1");
    root.append(pageCtrl);
    root.addProperty("totalCount", totalCount);
    return "http://" + HostOf(server) + path + EscapeQueryValue(root.format(false));
}
