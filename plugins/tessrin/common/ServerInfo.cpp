#include "common/ServerInfo.h"

#include "db/RecordHash.h"

ServerInfo ServerInfo::FromJSON(const JSONElement& json)
{
    ServerInfo info;
    info.name = json.namedObject("name").toString();
    info.mq = json.namedObject("mq").toArrayString();
    info.trade = json.namedObject("trade").toArrayString();
    info.mdhistory = json.namedObject("mdhistory").toArrayString();
    info.history = json.namedObject("history").toArrayString();
    info.api = json.namedObject("api").toString("ClientApi");
    info.noticehistory = json.namedObject("noticehistory").toArrayString();
    info.reporthistory = json.namedObject("reporthistory").toArrayString();
    info.nameHash = ServerNameHash(info.name);
    return info;
}

JSONElement ServerInfo::ToJSON() const
{
    JSONElement json = JSONElement::createObject();
    json.addProperty("name", name)
        .addProperty("mq", mq)
        .addProperty("trade", trade)
        .addProperty("mdhistory", mdhistory)
        .addProperty("history", history)
        .addProperty("api", api)
        .addProperty("noticehistory", noticehistory)
        .addProperty("reporthistory", reporthistory);
    return json;
}

std::uint32_t ServerNameHash(const wxString& name)
{
    return hash_value(name);
}
