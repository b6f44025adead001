#pragma once
// Turns one received frame into one callback of the right shape. Each helper
// returns false when the body does not have the size its code demands; the
// structure is copied to an aligned local first, so the callback never sees
// the receive buffer.
#include "Frame.h"
#include "tradeapi/FFixCommon.h"

#include <cstring>

namespace tradeapi::client {

template <class Callback> class FrameDispatch
{
public:
    FrameDispatch(Callback& callback, const wire::Frame& frame) : m_cb(callback), m_frame(frame) {}

    // Query row: (row or null, request id, last).
    template <class T> bool Row(void (Callback::*fn)(const T*, int, bool))
    {
        if(m_frame.header.flags & wire::kFlagNoRows) {
            if(!m_frame.body.empty())
                return false;
            (m_cb.*fn)(nullptr, Id(), true);
            return true;
        }
        T row;
        if(!Copy(row, 0, true))
            return false;
        (m_cb.*fn)(&row, Id(), (m_frame.header.flags & wire::kFlagLast) != 0);
        return true;
    }

    // Notification: (structure, 0, 0).
    template <class T> bool Ntf(void (Callback::*fn)(const T*, int, int))
    {
        T value;
        if(!Copy(value, 0, true))
            return false;
        (m_cb.*fn)(&value, 0, 0);
        return true;
    }

    // Request answer: (echoed request, result, request id, true).
    template <class T> bool Answer(void (Callback::*fn)(const T*, const sFFixRspInfo*, int, bool))
    {
        if(m_frame.body.size() != sizeof(T) + sizeof(sFFixRspInfo))
            return false;
        T echo;
        sFFixRspInfo info;
        Copy(echo, 0, false);
        Copy(info, sizeof(T), false);
        (m_cb.*fn)(&echo, &info, Id(), true);
        return true;
    }

    // Plain answer or error: (result, request id, true).
    bool Plain(void (Callback::*fn)(const sFFixRspInfo*, int, bool))
    {
        sFFixRspInfo info;
        if(!Copy(info, 0, true))
            return false;
        (m_cb.*fn)(&info, Id(), true);
        return true;
    }

private:
    int Id() const { return m_frame.header.requestId; }

    template <class T> bool Copy(T& out, std::size_t offset, bool exact)
    {
        if(exact && m_frame.body.size() != sizeof(T))
            return false;
        std::memcpy(&out, m_frame.body.data() + offset, sizeof(T));
        return true;
    }

    Callback& m_cb;
    const wire::Frame& m_frame;
};

} // namespace tradeapi::client
