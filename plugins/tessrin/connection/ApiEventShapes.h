#pragma once

#include "connection/ApiThreadEvent.h"

#include <tradeapi/FFixStructs.h>
#include <vector>
#include <wx/string.h>

// The payload shapes of the library events, each with names for its parts.
// Id is the window id of the front (eTradeEventId or eMdEventId).

// 100 (always 0) and 102 (the library's reason).
template <int Id> class ApiConnectionEvent : public ApiThreadEvent<Id, int>
{
public:
    using ApiThreadEvent<Id, int>::ApiThreadEvent;
    wxEvent* Clone() const override { return new ApiConnectionEvent(*this); }

    int GetReason() const { return this->template Get<0>(); }
};

// 101: the library's error number and text.
template <int Id> class ApiConnectFailedEvent : public ApiThreadEvent<Id, int, wxString>
{
public:
    using ApiThreadEvent<Id, int, wxString>::ApiThreadEvent;
    wxEvent* Clone() const override { return new ApiConnectFailedEvent(*this); }

    int GetError() const { return this->template Get<0>(); }
    const wxString& GetText() const { return this->template Get<1>(); }
};

// An error or an answer that carries only its result.
template <int Id> class ApiInfoEvent : public ApiThreadEvent<Id, sFFixRspInfo, int>
{
public:
    using ApiThreadEvent<Id, sFFixRspInfo, int>::ApiThreadEvent;
    wxEvent* Clone() const override { return new ApiInfoEvent(*this); }

    const sFFixRspInfo& GetResult() const { return this->template Get<0>(); }
    int GetRequestId() const { return this->template Get<1>(); }
};

// One row of a query answer.
template <int Id, class Row> class ApiQueryRowEvent : public ApiThreadEvent<Id, Row, int, eLastType>
{
public:
    using ApiThreadEvent<Id, Row, int, eLastType>::ApiThreadEvent;
    wxEvent* Clone() const override { return new ApiQueryRowEvent(*this); }

    // Not to be read when the answer has no rows (HasRow false).
    const Row& GetRow() const { return this->template Get<0>(); }
    int GetRequestId() const { return this->template Get<1>(); }
    eLastType GetLast() const { return this->template Get<2>(); }
    bool HasRow() const { return GetLast() != eLastTypeEmpty; }
    // The last row, or the answer without rows: nothing more follows.
    bool IsComplete() const { return GetLast() != eLastTypeMore; }
};

// The answer to a request: the request as echoed, the result, the request id.
template <int Id, class Request> class ApiAnswerEvent : public ApiThreadEvent<Id, Request, sFFixRspInfo, int>
{
public:
    using ApiThreadEvent<Id, Request, sFFixRspInfo, int>::ApiThreadEvent;
    wxEvent* Clone() const override { return new ApiAnswerEvent(*this); }

    const Request& GetRequest() const { return this->template Get<0>(); }
    const sFFixRspInfo& GetResult() const { return this->template Get<1>(); }
    int GetRequestId() const { return this->template Get<2>(); }
};

// A structure the server pushed.
template <int Id, class Notice> class ApiNoticeEvent : public ApiThreadEvent<Id, Notice>
{
public:
    using ApiThreadEvent<Id, Notice>::ApiThreadEvent;
    wxEvent* Clone() const override { return new ApiNoticeEvent(*this); }

    const Notice& GetNotice() const { return this->template Get<0>(); }
};

// 1031: the subscribed symbol ids, the result, the request id.
template <int Id> class ApiSubscribeEvent : public ApiThreadEvent<Id, std::vector<int>, sFFixRspInfo, int>
{
public:
    using ApiThreadEvent<Id, std::vector<int>, sFFixRspInfo, int>::ApiThreadEvent;
    wxEvent* Clone() const override { return new ApiSubscribeEvent(*this); }

    const std::vector<int>& GetSymbolIds() const { return this->template Get<0>(); }
    const sFFixRspInfo& GetResult() const { return this->template Get<1>(); }
    int GetRequestId() const { return this->template Get<2>(); }
};
