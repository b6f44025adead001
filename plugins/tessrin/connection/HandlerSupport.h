#pragma once

// Small steps that many answer and push handlers of the Client share.

#include "connection/ErrorTextTable.h"
#include "connection/RecordFromFix.h"
#include "connection/RequestNotify.h"
#include "db/RecordStore.h"

#include <cstdint>
#include <tradeapi/FFixStructs.h>
#include <wx/log.h>
#include <wx/string.h>

namespace handler_support {

// The answer's message as a trader reads it.
inline wxString ServerMessage(const sFFixRspInfo& info)
{
    return ServerMessageText(info.errorId, Utf8Text(info.errorMsg));
}

// Wakes the window waiting for the request with the answer's code and text.
inline void HandOver(int requestId, const sFFixRspInfo& info)
{
    RequestNotify::Get()->NotifyResponse(requestId, info.errorId, ServerMessage(info));
}

// Tells the window waiting for a query that its answer is complete.
inline void NotifyComplete(int requestId)
{
    RequestNotify::Get()->NotifyResponse(requestId, 0, wxString());
}

inline uint32_t Serial(int requestId)
{
    return static_cast<uint32_t>(requestId);
}

inline const symbol_Info* FindSymbol(RecordStore* db, int symbolId)
{
    const auto& symbols = db->m_symbol_Info_table->GetIndexByPrimary();
    const auto found = symbols.find(symbolId);
    return found == symbols.end() ? nullptr : &*found;
}

inline const user_Account* FindAccount(RecordStore* db, int accountKey)
{
    const auto& accounts = db->m_user_Account_table->GetIndexByPrimary();
    const auto found = accounts.find(accountKey);
    return found == accounts.end() ? nullptr : &*found;
}

// The symbol's property, made empty when it has none; null for an unknown symbol.
inline const symbol_Property* FindProperty(RecordStore* db, int symbolId)
{
    const symbol_Info* symbol = FindSymbol(db, symbolId);
    if(symbol == nullptr || !symbol->GetSymbolProperty(db)) {
        return nullptr;
    }
    return symbol->cachedSymbolProperty.Get();
}

// The login account text of the account's user; empty when unknown.
inline wxString LoginText(RecordStore* db, const user_Account& account)
{
    return account.GetLoginInfo(db) ? account.cachedLoginInfo->loginAccount : wxString();
}

inline bool MessageLogEnabled()
{
    return wxLog::IsEnabled() && wxLog::IsLevelEnabled(wxLOG_Message, wxLOG_COMPONENT);
}

} // namespace handler_support
