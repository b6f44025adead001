#pragma once

#include "connection/ApiEventShapes.h"

// The events of the market-data front (window id 6100), by payload shape.
using MdConnectionEvent = ApiConnectionEvent<eMdEventId>;
using MdConnectFailedEvent = ApiConnectFailedEvent<eMdEventId>;
using MdInfoEvent = ApiInfoEvent<eMdEventId>; // 1
template <class Row> using MdQueryRowEvent = ApiQueryRowEvent<eMdEventId, Row>;
template <class Request> using MdAnswerEvent = ApiAnswerEvent<eMdEventId, Request>;
template <class Notice> using MdNoticeEvent = ApiNoticeEvent<eMdEventId, Notice>;
using MdSubscribeEvent = ApiSubscribeEvent<eMdEventId>;
