#include "RefusedRequests.h"

#include <cstring>

namespace tradeapi::client {

bool RefusedRequests::IsRefused(uint32_t code) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_codes.count(code) != 0;
}

bool RefusedRequests::Replace(const wire::Frame& frame)
{
    if(frame.body.size() % sizeof(int32_t) != 0)
        return false;
    std::set<uint32_t> codes;
    for(std::size_t i = 0; i < frame.body.size(); i += sizeof(int32_t)) {
        uint32_t code;
        std::memcpy(&code, frame.body.data() + i, sizeof code);
        codes.insert(code);
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_codes.swap(codes);
    return true;
}

} // namespace tradeapi::client
