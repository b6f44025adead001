#pragma once

#include "connection/ApiEventShapes.h"

// The events of the trade front (window id 6099), by payload shape.
using TradeConnectionEvent = ApiConnectionEvent<eTradeEventId>;
using TradeConnectFailedEvent = ApiConnectFailedEvent<eTradeEventId>;
using TradeInfoEvent = ApiInfoEvent<eTradeEventId>; // 1 and the plain answers
template <class Row> using TradeQueryRowEvent = ApiQueryRowEvent<eTradeEventId, Row>;
template <class Request> using TradeAnswerEvent = ApiAnswerEvent<eTradeEventId, Request>;
template <class Notice> using TradeNoticeEvent = ApiNoticeEvent<eTradeEventId, Notice>;
