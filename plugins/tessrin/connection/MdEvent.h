#pragma once

#include "connection/ApiThreadEvent.h"

#include <tradeapi/FFixStructs.h>
#include <vector>
#include <wx/string.h>

// An event of the market-data front (window id 6100), one instantiation per payload.
template <class... Payload> using MdEvent = ApiThreadEvent<eMdEventId, Payload...>;

// The payload shapes of the market-data callbacks.
using MdConnectionEvent = MdEvent<int>;              // 100 (always 0), 102 (reason)
using MdConnectFailedEvent = MdEvent<int, wxString>; // 101: error number and text
using MdInfoEvent = MdEvent<sFFixRspInfo, int>;      // 1: result, request id
template <class Row> using MdQueryRowEvent = MdEvent<Row, int, eLastType>;
template <class Request> using MdAnswerEvent = MdEvent<Request, sFFixRspInfo, int>;
template <class Notice> using MdNoticeEvent = MdEvent<Notice>;
using MdSubscribeEvent = MdEvent<std::vector<int>, sFFixRspInfo, int>; // 1031: symbol ids, result, id
