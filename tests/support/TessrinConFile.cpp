#include "TessrinConFile.h"

#include "SimProcess.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    if(!in) {
        throw std::runtime_error("cannot read " + path);
    }
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for(size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

// The template with the market's ports in place of its placeholders.
nlohmann::ordered_json Filled(const SimProcess& market)
{
    std::string text = ReadFile(TessrinConFile::TemplatePath());
    ReplaceAll(text, "@TRADE1_PORT@", std::to_string(market.TradePort(0)));
    ReplaceAll(text, "@TRADE2_PORT@", std::to_string(market.TradePort(1)));
    ReplaceAll(text, "@MD_PORT@", std::to_string(market.MdPort()));
    ReplaceAll(text, "@HTTP_PORT@", std::to_string(market.HttpPort()));
    auto json = nlohmann::ordered_json::parse(text, nullptr, false);
    if(!json.is_object() || !json.contains("server") || json["server"].empty()) {
        throw std::runtime_error("the Tessrin.con template has no server record");
    }
    return json;
}

} // namespace

TessrinConFile::TessrinConFile(const SimProcess& market) : m_json(Filled(market)) {}

std::string TessrinConFile::TemplatePath()
{
    const char* source = std::getenv("TESSRIN_SOURCE_DIR");
    return std::string(source ? source : ".") + "/plugins/tessrin/frame/Tessrin.con.in";
}

nlohmann::ordered_json TessrinConFile::ServerRecord(const std::string& name, const SimProcess& market)
{
    nlohmann::ordered_json record = Filled(market)["server"][0];
    record["name"] = name;
    return record;
}

void TessrinConFile::AddServer(const std::string& name, const SimProcess& market)
{
    m_json["server"].push_back(ServerRecord(name, market));
}

bool TessrinConFile::Write(const std::string& path) const
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    std::ofstream out(path, std::ios::trunc);
    out << m_json.dump(2) << '\n';
    return static_cast<bool>(out.flush());
}
