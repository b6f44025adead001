#include "funds/StoreOrderFactory.h"

#include "db/NumberFormat.h"
#include "db/RecordStore.h"

#include <pelmora/clConfig.h>
#include <pelmora/pmStandardPaths.h>
#include <wx/filename.h>

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

int IdFromText(const wxString& text)
{
    unsigned long long value = 0;
    return text.ToULongLong(&value) ? static_cast<int>(value) : 0;
}

double NumberFromText(const wxString& text)
{
    double value = 0.0;
    return text.ToCDouble(&value) || text.ToDouble(&value) ? value : 0.0;
}

wxDateTime TimeFromText(const wxString& text)
{
    wxDateTime when;
    wxString::const_iterator end;
    // Written with "%c" here, so that form is tried before the general one.
    if(!text.empty() && (when.ParseFormat(text, "%c", &end) || when.ParseDateTime(text, &end))) {
        return when;
    }
    return wxDateTime();
}

int IntOr(const JSONElement& element, const char* name)
{
    return element.hasNamedObject(name) ? element.namedObject(name).toInt(-1) : -1;
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
        StoreOrder order = RecordFromJSON(array.arrayItem(i));
        order.localId = NextLocalId();
        Insert(order, true);
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
    clConfig config(path, false);
    return config.ReadItem(this);
}

bool StoreOrderFactory::Save(const wxString& path)
{
    if(m_userKey.empty()) {
        return false;
    }
    // The folder is made when missing.
    clConfig config(path, true);
    RawItem onDisk;
    config.ReadItem(&onDisk);
    m_onDisk = onDisk.value;
    const bool written = config.WriteItem(this);
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

StoreOrder StoreOrderFactory::RecordFromJSON(const JSONElement& element)
{
    StoreOrder order;
    order.userId = IdFromText(element.namedObject("userId").toString());
    order.symbolId = IdFromText(element.namedObject("symbolId").toString());
    order.symbolCode = element.namedObject("symbolCode").toString();
    order.storeCode = element.namedObject("storeCode").toString();
    order.quantity = NumberFromText(element.namedObject("quantity").toString());
    order.applyQuantity = NumberFromText(element.namedObject("applyQuantity").toString());
    order.storeTime = TimeFromText(element.namedObject("storeTime").toString());
    order.storeName = element.namedObject("storeName").toString();
    order.inoutStatus = IntOr(element, "inoutStatus");
    order.registStatus = IntOr(element, "registStatus");
    order.mortageStatus = IntOr(element, "mortageStatus");
    return order;
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

wxString GetStoreOrderFilePath()
{
    const wxString separator = wxFileName::GetPathSeparator();
    return pmStandardPaths::Get().GetUserDataDir() + separator + "config" + separator + "storeorder.con";
}
