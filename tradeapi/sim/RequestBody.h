#pragma once
// The request structure of a frame whose body size the router has checked.
#include "Frame.h"

#include <algorithm>
#include <cstring>

namespace simmarket {

template <class T> T RequestBody(const tradeapi::wire::Frame& frame)
{
    T value{};
    std::memcpy(&value, frame.body.data(), std::min(sizeof value, frame.body.size()));
    return value;
}

} // namespace simmarket
