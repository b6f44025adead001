#pragma once

#include "connection/CallbackCode.h"

#include <tuple>
#include <utility>
#include <wx/datetime.h>
#include <wx/event.h>

// Window ids of the two kinds of library events; the Client binds one
// handler to each.
enum { eTradeEventId = 6099, eMdEventId = 6100 };

// Where a query row stands in its answer.
enum eLastType {
    eLastTypeMore = 0,  // more rows follow
    eLastTypeEmpty = 1, // the answer has no rows; the row carries no data
    eLastTypeLast = 2,  // the final row
};

// The last-row flag of a query callback: null row = no rows at all.
inline eLastType LastTypeOf(const void* row, bool last)
{
    return row == nullptr ? eLastTypeEmpty : (last ? eLastTypeLast : eLastTypeMore);
}

// The code a library event carries, read from the event's int.
inline CallbackCode CodeOf(const wxThreadEvent& event)
{
    return static_cast<CallbackCode>(event.GetInt());
}

// A library callback copied into a self-contained event, so that it can cross
// from the library's thread to the GUI thread. The code is the event's int;
// receivers switch on the code, never on the type, because several codes
// share one payload type. Readers use the named accessors of the payload
// shapes (ApiEventShapes.h).
template <int Id, class... Payload> class ApiThreadEvent : public wxThreadEvent
{
public:
    using PayloadType = std::tuple<Payload...>;

    explicit ApiThreadEvent(CallbackCode code, Payload... payload)
        : wxThreadEvent(wxEVT_THREAD, Id), m_payload(std::move(payload)...)
    {
        SetInt(static_cast<int>(code));
        m_stamp = wxDateTime::UNow();
    }

    // Copies the base event, the payload and the stamp of the original.
    ApiThreadEvent(const ApiThreadEvent& other) = default;

    wxEvent* Clone() const override { return new ApiThreadEvent(*this); }

    CallbackCode GetCode() const { return CodeOf(*this); }
    const wxDateTime& GetStamp() const { return m_stamp; }

protected:
    template <std::size_t N> const auto& Get() const { return std::get<N>(m_payload); }

private:
    PayloadType m_payload;
    wxDateTime m_stamp;
};
