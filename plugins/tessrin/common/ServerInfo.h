#pragma once

#include <cstdint>
#include <pelmora/JSONElement.h>
#include <wx/arrstr.h>
#include <wx/string.h>

// One entry of the server list in Tessrin.con. Address lists are handed to
// the trade API library and the HTTP jobs unchanged.
struct ServerInfo
{
    wxString name;              // shown by the host, sent back with the login
    wxArrayString mq;           // market-data servers
    wxArrayString trade;        // trade servers
    wxArrayString mdhistory;    // market-history servers
    wxArrayString history;      // history servers, also asked for the local IP
    wxString api = "ClientApi"; // trade API library to load
    wxArrayString noticehistory;
    wxArrayString reporthistory;
    std::uint32_t nameHash = 0; // ServerNameHash(name), the server map's key

    // Reads the eight keys, each missing one taking its default.
    static ServerInfo FromJSON(const JSONElement& json);
    // The eight keys, in the file's order.
    JSONElement ToJSON() const;
};

// The 32-bit hash that keys the server map: stored files and the order of
// names offered to the host depend on it, so it never changes.
std::uint32_t ServerNameHash(const wxString& name);
