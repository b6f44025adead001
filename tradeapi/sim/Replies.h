#pragma once
// Builders of the frames a front sends: query rows, request answers, plain
// answers and pushes.
#include "Session.h"
#include "WireCodes.h"
#include "tradeapi/FFixCommon.h"
#include "tradeapi/FixedText.h"

#include <string>
#include <vector>

namespace simmarket {

inline sFFixRspInfo MakeInfo(int errorId, const std::string& message)
{
    sFFixRspInfo info{};
    info.errorId = errorId;
    tradeapi::SetFixedText(info.errorMsg, message);
    return info;
}

// Every row with the last flag on the final one; no rows gives the empty answer.
template <class T> void SendRows(Session& session, uint32_t code, int requestId, const std::vector<T>& rows)
{
    using namespace tradeapi::wire;
    if(rows.empty()) {
        session.Send(EncodeFrame(code, requestId, kFlagNoRows, nullptr, 0));
        return;
    }
    for(std::size_t i = 0; i < rows.size(); ++i)
        session.Send(EncodeFrame(code, requestId, i + 1 == rows.size() ? kFlagLast : 0, &rows[i], sizeof(T)));
}

template <class T>
void SendAnswer(Session& session, uint32_t code, int requestId, const T& echo, const sFFixRspInfo& info)
{
    session.Send(tradeapi::wire::EncodeFrame(code, requestId, 0, &echo, sizeof echo, &info, sizeof info));
}

inline void SendPlain(Session& session, uint32_t code, int requestId, const sFFixRspInfo& info)
{
    session.Send(tradeapi::wire::EncodeFrame(code, requestId, 0, &info, sizeof info));
}

template <class T> void SendNtf(Session& session, uint32_t code, const T& value)
{
    session.Send(tradeapi::wire::EncodeFrame(code, 0, 0, &value, sizeof value));
}

} // namespace simmarket
