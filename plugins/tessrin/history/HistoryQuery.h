#pragma once

#include <functional>
#include <pelmora/JSONElement.h>
#include <wx/arrstr.h>
#include <wx/string.h>

struct ServerInfo;

// The query machinery of one history frame, without windows: which report
// server to ask and which next after a failure, the report URL with its JSON
// query, and the paging arithmetic of a request and of a reply.
//
// Servers: the "history" list of the logged-in server record, copied at the
// first query and again when another server is logged in. A query starts at
// the server that answered last, else at a random one, and tries each server
// of the list at most once, wrapping at the end.
class HistoryQuery
{
public:
    // The logged-in server record; null while nobody is logged in.
    using ServerSource = std::function<const ServerInfo*()>;
    // A non-negative random number (rand()).
    using RandomSource = std::function<int()>;

    explicit HistoryQuery(ServerSource servers, RandomSource random = nullptr);

    // --- servers
    // The server a new query asks first: the one that answered last, else a
    // random one. Empty when there is none (nobody logged in, or an empty
    // list), and then nothing is to be sent.
    wxString GetServer();
    // The server in use gave no answer: it is no longer the fixed one. True
    // when this query has a server left to try (NextServer).
    bool Failed();
    // The entry after the one in use, wrapping to the first.
    wxString NextServer();
    // The server in use answered: later queries start there.
    void Answered() { m_fixedServer = m_serverIndex; }

    const wxArrayString& GetServers() const { return m_servers; }
    int GetServerIndex() const { return m_serverIndex; }
    int GetFixedServer() const { return m_fixedServer; }

    // --- paging
    struct PageRequest
    {
        int start; // first record asked for, 0-based
        int page;  // the page the request is for
    };
    // A page size change starts again at the first page.
    static PageRequest RequestFor(int page, int pageSize, bool pageSizeChanged);

    struct PageReply
    {
        int total;          // "totalCount", 0 when missing or not a number
        int pageCount;      // pages of pageSize that hold total
        int page;           // the requested page, clamped to 1 .. pageCount
        int firstRowNumber; // 1-based number of the page's first row
        int rowCount;       // elements of "data"
    };
    static PageReply ReplyFor(const JSONElement& reply, int page, int pageSize);

    // --- the report URL
    // The host and port of a server entry: the text after the first "//",
    // so "http://h:p" and "h:p" name the same host.
    static wxString HostOf(const wxString& server);
    // Percent-escapes every UTF-8 byte that is not an unreserved URI
    // character, so the text is one query value whatever it holds ('&',
    // '+', '#', quotes, non-ASCII). A second pass through wxURI changes
    // nothing.
    static wxString EscapeQueryValue(const wxString& text);
    // "http://<host>" + path + the escaped JSON of root, after adding to root
    // "pageCtrl" (start, limit and page "1" as texts) and "totalCount" (a
    // number). path ends with "?bizData=".
    static wxString BuildUrl(const wxString& server, const wxString& path, JSONElement& root,
                             const PageRequest& request, int pageSize, int totalCount);

private:
    // Copies the list when none is held or another server is logged in;
    // false when nobody is logged in.
    bool RefreshServers();

    ServerSource m_source;
    RandomSource m_random;
    wxString m_serverName; // the server record m_servers was copied from
    wxArrayString m_servers;
    int m_serverIndex = 0;
    unsigned m_retryCount = 0; // servers of this query that gave no answer
    int m_fixedServer = -1;    // the server that answered last; -1: draw one
};
