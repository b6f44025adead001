#include "orders/HangOrderFactory.h"

#include "common/StoreOrderFile.h"
#include "db/NumberFormat.h"
#include "orders/HangOrderEntry.h"

TESSRIN_COMPILE_RECORD_TABLE(HangOrder)

namespace {

double NumberFromText(const wxString& text)
{
    double value = 0.0;
    return text.ToDouble(&value) ? value : 0.0;
}

} // namespace

HangOrderFactory::HangOrderFactory() : clConfigItem(kItemName) {}

bool HangOrderFactory::Upsert(const HangOrder& record)
{
    const iterator stored = Find(record.orderCode);
    if(stored == GetIndexByPrimary().end()) {
        return Insert(record, true).second;
    }
    return Update(stored, record, true);
}

HangOrderFactory::iterator HangOrderFactory::Find(const wxString& orderCode) const
{
    return GetIndexByPrimary().find(orderCode);
}

void HangOrderFactory::FromJSON(const JSONElement& json)
{
    for(int i = 0; i < json.arraySize(); ++i) {
        Insert(RecordFromJSON(json.arrayItem(i)), true);
    }
}

JSONElement HangOrderFactory::ToJSON() const
{
    JSONElement array = JSONElement::createArray(GetName());
    for(const HangOrder& record : GetIndexByPrimary()) {
        array.arrayAppend(RecordToJSON(record));
    }
    return array;
}

HangOrder HangOrderFactory::RecordFromJSON(const JSONElement& element)
{
    HangOrder record;
    record.orderCode = element.namedObject("orderCode").toString();
    record.symbolName = element.namedObject("symbolName").toString();
    // Earlier builds stored the shown texts.
    record.unitName = HangOrderEntry::KeyOf(element.namedObject("unitName").toString());
    record.quantityComplete = NumberFromText(element.namedObject("quantityComplete").toString());
    record.bsCode = HangOrderEntry::KeyOf(element.namedObject("bsCode").toString());
    record.priceOrder = NumberFromText(element.namedObject("priceOrder").toString());
    record.storeName = element.namedObject("storeName").toString();
    record.quantityOrder = NumberFromText(element.namedObject("quantityOrder").toString());
    record.minQuantity = NumberFromText(element.namedObject("minQuantity").toString());
    record.effectiveDay = element.namedObject("effectiveDay").toString();
    return record;
}

JSONElement HangOrderFactory::RecordToJSON(const HangOrder& record)
{
    JSONElement element = JSONElement::createObject();
    element.addProperty("orderCode", record.orderCode)
        .addProperty("symbolName", record.symbolName)
        .addProperty("unitName", record.unitName)
        .addProperty("quantityComplete", FormatMoney(record.quantityComplete))
        .addProperty("bsCode", record.bsCode)
        .addProperty("priceOrder", FormatMoney(record.priceOrder))
        .addProperty("storeName", record.storeName)
        .addProperty("quantityOrder", FormatMoney(record.quantityOrder))
        .addProperty("minQuantity", FormatMoney(record.minQuantity))
        .addProperty("effectiveDay", record.effectiveDay);
    return element;
}

HangOrderFactory& GetHangOrderFactory()
{
    // Made on first use and gone with the library.
    static std::unique_ptr<HangOrderFactory> store;
    if(!store) {
        store = LoadHangOrders();
    }
    return *store;
}

std::unique_ptr<HangOrderFactory> LoadHangOrders()
{
    auto store = std::make_unique<HangOrderFactory>();
    StoreOrderFile(StoreOrderFile::eRead).Read(*store);
    return store;
}

bool SaveHangOrders()
{
    return StoreOrderFile(StoreOrderFile::eWrite).Write(GetHangOrderFactory());
}
