#pragma once

#include "connection/CallbackCode.h"

#include <map>
#include <wx/datetime.h>

// The queries one trade login sends to fill the tables of the trading day,
// each followed until its answer is complete. A query waits a bounded time
// for its next row: one that stays silent longer is overdue, and the Client
// sends it again, as often as it takes. The login's data is ready once the
// cycle has begun and no query of it is awaited. Queries are known by the
// code of their answer. Window-free; the Client owns one.
class QueryCycle
{
public:
    // A new login or a lost link: nothing asked, the cycle not begun.
    void Reset();
    // The start-up queries go out: from now on the cycle can complete.
    void Begin() { m_begun = true; }
    // The query was sent, or sent again, or refused by the library (which
    // makes it overdue after the same wait).
    void Asked(CallbackCode answer, const wxDateTime& now);
    // A row of its answer arrived and more follow: the wait starts again.
    void Progressed(CallbackCode answer, const wxDateTime& now);
    // Its last row (or its answer without rows) arrived.
    void Answered(CallbackCode answer);

    bool IsAwaited(CallbackCode answer) const { return m_awaited.count(answer) != 0; }
    // Awaited, and nothing of its answer for more than waitMs.
    bool IsOverdue(CallbackCode answer, const wxDateTime& now, long waitMs) const;
    bool HasBegun() const { return m_begun; }
    bool IsComplete() const { return m_begun && m_awaited.empty(); }

private:
    std::map<CallbackCode, wxDateTime> m_awaited; // query -> when it was asked or last answered a row
    bool m_begun = false;
};
