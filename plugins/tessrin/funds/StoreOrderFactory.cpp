#include "funds/StoreOrderFactory.h"

#include "common/StoreOrderFile.h"
#include "common/UnreadableEntries.h"
#include "db/NumberFormat.h"
#include "db/RecordStore.h"

#include <algorithm>
#include <cmath>
#include <limits>

TESSRIN_COMPILE_RECORD_TABLE(StoreOrder)

namespace {

// Reads a member of the file as it stands, without interpreting it.
class RawItem : public clConfigItem
{
public:
    RawItem() : clConfigItem(StoreOrderFactory::kItemName) {}
    void FromJSON(const JSONElement& json) override
    {
        value = JSONElement::fromJson(json.value(), GetName());
    }
    JSONElement ToJSON() const override { return value; }
    JSONElement value;
};

wxString IdText(int id)
{
    // Sign-extended to 64 bits, then written unsigned.
    return wxString::Format("%llu", static_cast<unsigned long long>(static_cast<long long>(id)));
}

// The inverse of IdText: a 32-bit id, never one wrapped from a larger number.
bool IdFromText(const wxString& text, int& id)
{
    unsigned long long value = 0;
    if(text.empty() || !text.IsNumber() || !text.ToULongLong(&value)) {
        return false;
    }
    const auto wide = static_cast<long long>(value);
    if(wide < std::numeric_limits<int>::min() || wide > std::numeric_limits<int>::max()) {
        return false;
    }
    id = static_cast<int>(wide);
    return true;
}

bool NumberFromText(const wxString& text, double& number)
{
    double value = 0.0;
    if(!(text.ToCDouble(&value) || text.ToDouble(&value)) || !std::isfinite(value)) {
        return false;
    }
    number = value;
    return true;
}

// Written with "%c" here, so that form is tried before the general one; the
// empty text stands for no time.
bool TimeFromText(const wxString& text, wxDateTime& time)
{
    if(text.empty()) {
        time = wxDateTime();
        return true;
    }
    wxDateTime when;
    wxString::const_iterator end;
    if(when.ParseFormat(text, "%c", &end) || when.ParseDateTime(text, &end)) {
        time = when;
        return true;
    }
    return false;
}

// A member that is missing leaves the value; one of another kind or range fails.
bool ReadText(const JSONElement& element, const char* name, wxString& text)
{
    const JSONElement member = element.namedObject(name);
    if(!member.isOk()) {
        return true;
    }
    if(!member.isString()) {
        return false;
    }
    text = member.toString();
    return true;
}

// A whole JSON number within 32 bits; -1 when missing.
bool ReadStatus(const JSONElement& element, const char* name, int& status)
{
    const JSONElement member = element.namedObject(name);
    if(!member.isOk()) {
        status = -1;
        return true;
    }
    const JSONElement::Json value = member.value();
    if(!value.is_number_integer() ||
       (value.is_number_unsigned() && value.get<unsigned long long>() > std::numeric_limits<int>::max())) {
        return false;
    }
    const long long wide = value.get<long long>();
    if(wide < std::numeric_limits<int>::min() || wide > std::numeric_limits<int>::max()) {
        return false;
    }
    status = static_cast<int>(wide);
    return true;
}

// A text (or number) member read by `parse` into the field; a missing one
// leaves it.
template <class Value, class Parse>
bool ReadParsed(const JSONElement& element, const char* name, Value& field, Parse parse)
{
    const JSONElement member = element.namedObject(name);
    if(!member.isOk()) {
        return true;
    }
    return (member.isString() || member.isNumber()) && parse(member.toString(), field);
}

// Moves what cannot be read of the user's array (each element, or the whole
// member when it is no array), as it stands, to the first kept array free for
// it; returns how many values moved.
int SetAsideUnreadable(JSONElement::Json& item, const std::string& key)
{
    if(key.empty() || !item.is_object() || !item.contains(key)) {
        return 0;
    }
    std::string aside = key + UnreadableEntries::kSuffix;
    for(int n = 2; item.contains(aside) && !item[aside].is_array(); ++n) {
        aside = key + UnreadableEntries::kSuffix + "." + std::to_string(n);
    }
    // A copy: adding the kept member may move the others in memory.
    const JSONElement::Json stored = item[key];
    JSONElement::Json readable = JSONElement::Json::array();
    JSONElement::Json unreadable = JSONElement::Json::array();
    if(stored.is_array()) {
        for(const auto& element : stored) {
            StoreOrder order;
            const bool read = StoreOrderFactory::RecordFromJSON(JSONElement::fromJson(element), order);
            (read ? readable : unreadable).push_back(element);
        }
    } else {
        unreadable.push_back(stored);
    }
    if(!unreadable.empty()) {
        JSONElement::Json& kept = item[aside];
        for(JSONElement::Json& value : unreadable) {
            kept.push_back(std::move(value));
        }
    }
    item[key] = std::move(readable);
    return static_cast<int>(unreadable.size());
}

} // namespace

StoreOrderFactory::StoreOrderFactory(RecordStore* db) : clConfigItem(kItemName), m_db(db) {}

void StoreOrderFactory::FromJSON(const JSONElement& json)
{
    const JSONElement array = json.namedObject(m_userKey);
    if(m_userKey.empty() || !array.isArray()) {
        return;
    }
    for(int i = 0; i < array.arraySize(); ++i) {
        StoreOrder order;
        if(RecordFromJSON(array.arrayItem(i), order)) {
            order.localId = NextLocalId();
            Insert(order, true);
        }
    }
}

JSONElement StoreOrderFactory::ToJSON() const
{
    JSONElement item = m_onDisk.isObject() ? JSONElement::fromJson(m_onDisk.value(), GetName())
                                           : JSONElement::createObject(GetName());
    JSONElement array = JSONElement::createArray(m_userKey);
    for(const StoreOrder& order : GetIndex<BySequence>()) {
        if(!order.IsMirrored()) {
            array.arrayAppend(RecordToJSON(order));
        }
    }
    item.append(array);
    return item;
}

bool StoreOrderFactory::Load(const wxString& path)
{
    m_setAsideCount = 0;
    StoreOrderFile file(StoreOrderFile::eRead, path);
    if(!file.Read(*this)) {
        return false;
    }
    RawItem onDisk;
    file.Read(onDisk);
    JSONElement::Json item = onDisk.value.value();
    const int moved = SetAsideUnreadable(item, m_userKey.utf8_string());
    if(moved > 0) {
        onDisk.value = JSONElement::fromJson(item, GetName());
        if(file.Write(onDisk)) {
            m_setAsideCount = moved;
        }
    }
    return true;
}

bool StoreOrderFactory::Save(const wxString& path)
{
    if(m_userKey.empty()) {
        return false;
    }
    // The folder is made when missing.
    StoreOrderFile file(StoreOrderFile::eWrite, path);
    RawItem onDisk;
    file.Read(onDisk);
    // What this run could not read stays in the file, if not in the array.
    JSONElement::Json item = onDisk.value.value();
    SetAsideUnreadable(item, m_userKey.utf8_string());
    m_onDisk = JSONElement::fromJson(item, GetName());
    const bool written = file.Write(*this);
    m_onDisk = JSONElement();
    return written;
}

void StoreOrderFactory::Clear()
{
    const auto& primary = GetIndexByPrimary();
    while(!primary.empty()) {
        Remove(primary.begin(), true);
    }
}

StoreOrderFactory::iterator StoreOrderFactory::FindMirror(int storeId, int symbolId) const
{
    const auto& primary = GetIndexByPrimary();
    for(auto it = primary.begin(); it != primary.end(); ++it) {
        if(it->IsMirrored() && it->mirrorStoreId == storeId && it->symbolId == symbolId) {
            return it;
        }
    }
    return primary.end();
}

void StoreOrderFactory::MirrorAdded(const UserInventory& holding)
{
    // A holding seen again (a reload after a reconnect) keeps its one row.
    if(FindMirror(holding.storeId, holding.symbolId) != GetIndexByPrimary().end()) {
        MirrorChanged(holding);
        return;
    }
    if(holding.userAmount <= 0.0 || !holding.GetSymbolInfo(m_db)) {
        return;
    }
    StoreOrder order;
    order.localId = NextLocalId();
    order.symbolId = holding.symbolId;
    order.symbolCode = holding.cachedSymbolInfo->symbolCode;
    order.storeCode = "----";
    order.applyQuantity = holding.userAmount;
    order.quantity = holding.financedQuantity;
    order.storeName = holding.storeName;
    order.inoutStatus = StoreOrder::eStoreFinancing;
    order.registStatus = 3;
    order.mortageStatus = 3;
    order.mirrorStoreId = holding.storeId;
    Insert(order, true);
}

void StoreOrderFactory::MirrorChanged(const UserInventory& holding)
{
    const iterator mirror = FindMirror(holding.storeId, holding.symbolId);
    if(mirror == GetIndexByPrimary().end()) {
        MirrorAdded(holding);
        return;
    }
    if(holding.userAmount <= 0.0) {
        Remove(mirror, true);
        return;
    }
    StoreOrder copy = *mirror;
    copy.applyQuantity = holding.userAmount;
    copy.quantity = holding.financedQuantity;
    Update(mirror, copy, true);
}

void StoreOrderFactory::MirrorRemoved(const UserInventory& holding)
{
    const iterator mirror = FindMirror(holding.storeId, holding.symbolId);
    if(mirror != GetIndexByPrimary().end()) {
        Remove(mirror, true);
    }
}

bool StoreOrderFactory::RecordFromJSON(const JSONElement& element, StoreOrder& order)
{
    static const char* const kMembers[] = {"userId",      "symbolId",      "symbolCode",   "storeCode",
                                           "quantity",    "applyQuantity", "storeTime",    "storeName",
                                           "inoutStatus", "registStatus",  "mortageStatus"};
    if(!element.isObject() || std::none_of(std::begin(kMembers), std::end(kMembers),
                                           [&](const char* name) { return element.hasNamedObject(name); })) {
        return false;
    }
    StoreOrder read;
    const bool readable = ReadParsed(element, "userId", read.userId, IdFromText) &&
                          ReadParsed(element, "symbolId", read.symbolId, IdFromText) &&
                          ReadText(element, "symbolCode", read.symbolCode) &&
                          ReadText(element, "storeCode", read.storeCode) &&
                          ReadParsed(element, "quantity", read.quantity, NumberFromText) &&
                          ReadParsed(element, "applyQuantity", read.applyQuantity, NumberFromText) &&
                          ReadParsed(element, "storeTime", read.storeTime, TimeFromText) &&
                          ReadText(element, "storeName", read.storeName) &&
                          ReadStatus(element, "inoutStatus", read.inoutStatus) &&
                          ReadStatus(element, "registStatus", read.registStatus) &&
                          ReadStatus(element, "mortageStatus", read.mortageStatus);
    // Mirrored rows are never written: one in the file is none of the user's.
    if(!readable || read.IsMirrored()) {
        return false;
    }
    order = read;
    return true;
}

JSONElement StoreOrderFactory::RecordToJSON(const StoreOrder& order)
{
    JSONElement element = JSONElement::createObject();
    element.addProperty("userId", IdText(order.userId))
        .addProperty("symbolId", IdText(order.symbolId))
        .addProperty("symbolCode", order.symbolCode)
        .addProperty("storeCode", order.storeCode)
        .addProperty("quantity", FormatMoney(order.quantity, true))
        .addProperty("applyQuantity", FormatMoney(order.applyQuantity, true))
        .addProperty("storeTime", order.storeTime.IsValid() ? order.storeTime.Format("%c") : wxString())
        .addProperty("storeName", order.storeName)
        .addProperty("inoutStatus", order.inoutStatus)
        .addProperty("registStatus", order.registStatus)
        .addProperty("mortageStatus", order.mortageStatus);
    return element;
}
