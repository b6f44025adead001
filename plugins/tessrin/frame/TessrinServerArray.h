#pragma once

#include "common/ServerInfo.h"

#include <cstdint>
#include <map>
#include <pelmora/clConfigItem.h>

// The item "server" of Tessrin.con: the servers a user may log in to, keyed by
// the hash of their names. The first record of a hash wins, so of two equal
// names (or two names of one hash) only the first can be logged in to.
class TessrinServerArray : public clConfigItem
{
public:
    using ServerMap = std::map<std::uint32_t, ServerInfo>;

    TessrinServerArray();

    void FromJSON(const JSONElement& json) override;
    JSONElement ToJSON() const override;

    // Servers in ascending name hash: the order names are offered to the host.
    const ServerMap& GetServers() const { return m_serverMap; }
    // The server of that name; null when the list has none.
    const ServerInfo* FindServer(const wxString& name) const;
    // Every server name, in map order.
    wxArrayString GetServerNames() const;

private:
    ServerMap m_serverMap;
};
