#pragma once

#include "connection/ApiThreadEvent.h"

#include <tradeapi/FFixStructs.h>
#include <wx/string.h>

// An event of the trade front (window id 6099), one instantiation per payload.
template <class... Payload> using TradeEvent = ApiThreadEvent<eTradeEventId, Payload...>;

// The payload shapes of the trade callbacks.
using TradeConnectionEvent = TradeEvent<int>;              // 100 (always 0), 102 (reason)
using TradeConnectFailedEvent = TradeEvent<int, wxString>; // 101: error number and text
using TradeInfoEvent = TradeEvent<sFFixRspInfo, int>;      // 1 and the plain answers: result, request id
template <class Row> using TradeQueryRowEvent = TradeEvent<Row, int, eLastType>;          // row, id, last
template <class Request> using TradeAnswerEvent = TradeEvent<Request, sFFixRspInfo, int>; // echo, result, id
template <class Notice> using TradeNoticeEvent = TradeEvent<Notice>;
