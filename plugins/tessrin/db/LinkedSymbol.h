#pragma once

class RecordStore;

// The links most rows need: the record's symbol with the symbol's property
// and account resolved. The symbol, or null when a link is missing.
template <class R> auto LinkedSymbol(const R& record, RecordStore* db) -> decltype(&*record.cachedSymbolInfo)
{
    if(!record.GetSymbolInfo(db)) {
        return nullptr;
    }
    const auto* symbol = &*record.cachedSymbolInfo;
    return symbol->GetSymbolProperty(db) && symbol->GetAccount(db) ? symbol : nullptr;
}
