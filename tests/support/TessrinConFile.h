#pragma once
// The plug-in's server list and switches, Tessrin.con, as tests write it:
// the demo template (plugins/tessrin/frame/Tessrin.con.in) with the ports of
// a running market filled in. Further servers and keys as the test sets them.
//
//     TessrinConFile con(market);                 // server "Demo" on that market
//     con.AddServer("Second", secondMarket);      // same lists, other ports
//     con.Json()["showErrMsgBox"] = false;
//     con.Write(dataDir + "/config/Tessrin.con");
#include <nlohmann/json.hpp>
#include <string>

class SimProcess;

class TessrinConFile
{
public:
    // Throws std::runtime_error when the template cannot be read.
    explicit TessrinConFile(const SimProcess& market);

    // Appends a server record with every list of "Demo", pointing at the market.
    void AddServer(const std::string& name, const SimProcess& market);
    nlohmann::ordered_json& Json() { return m_json; }
    const nlohmann::ordered_json& Json() const { return m_json; }
    // Writes the file (and its folder); false when it cannot be written.
    bool Write(const std::string& path) const;

    // The template of the source tree (TESSRIN_SOURCE_DIR).
    static std::string TemplatePath();
    // The template's first server record with the market's ports and the name.
    static nlohmann::ordered_json ServerRecord(const std::string& name, const SimProcess& market);

private:
    nlohmann::ordered_json m_json;
};
