#pragma once
// Request codes the market asked the library to refuse locally; read by the
// caller's thread, written by the I/O thread.
#include "Frame.h"

#include <cstdint>
#include <mutex>
#include <set>

namespace tradeapi::client {

class RefusedRequests
{
public:
    bool IsRefused(uint32_t code) const;
    // False when the body is not a list of int32 codes.
    bool Replace(const wire::Frame& frame);

private:
    mutable std::mutex m_mutex;
    std::set<uint32_t> m_codes;
};

} // namespace tradeapi::client
