#include "Frame.h"

#include <cstring>

namespace tradeapi::wire {

std::vector<uint8_t> EncodeFrame(uint32_t code, int32_t requestId, uint16_t flags, const void* body,
                                 std::size_t size)
{
    return EncodeFrame(code, requestId, flags, body, size, nullptr, 0);
}

std::vector<uint8_t> EncodeFrame(uint32_t code, int32_t requestId, uint16_t flags, const void* first,
                                 std::size_t firstSize, const void* second, std::size_t secondSize)
{
    FrameHeader header{};
    header.length = static_cast<uint32_t>(firstSize + secondSize);
    header.code = code;
    header.flags = flags;
    header.requestId = requestId;
    std::vector<uint8_t> out(sizeof header + firstSize + secondSize);
    std::memcpy(out.data(), &header, sizeof header);
    if(firstSize)
        std::memcpy(out.data() + sizeof header, first, firstSize);
    if(secondSize)
        std::memcpy(out.data() + sizeof header + firstSize, second, secondSize);
    return out;
}

bool DecodeHeader(const uint8_t* bytes, FrameHeader& header, std::string& error)
{
    std::memcpy(&header, bytes, sizeof header);
    if(header.length > kMaxBody) {
        error = "oversized frame: " + std::to_string(header.length) + " bytes";
        return false;
    }
    if(header.reserved != 0 || (header.flags & ~(kFlagLast | kFlagNoRows)) != 0) {
        error = "malformed frame header";
        return false;
    }
    return true;
}

void FrameReader::Append(const uint8_t* data, std::size_t size)
{
    if(!m_error.empty())
        return;
    if(m_offset > 0 && m_offset == m_buffer.size()) {
        m_buffer.clear();
        m_offset = 0;
    }
    m_buffer.insert(m_buffer.end(), data, data + size);
}

bool FrameReader::Next(Frame& frame)
{
    if(!m_error.empty())
        return false;
    const std::size_t available = m_buffer.size() - m_offset;
    if(available < sizeof(FrameHeader))
        return false;
    FrameHeader header;
    if(!DecodeHeader(m_buffer.data() + m_offset, header, m_error))
        return false;
    if(available < sizeof header + header.length)
        return false;
    frame.header = header;
    const uint8_t* body = m_buffer.data() + m_offset + sizeof header;
    frame.body.assign(body, body + header.length);
    m_offset += sizeof header + header.length;
    if(m_offset > 4 * kMaxBody) {
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(m_offset));
        m_offset = 0;
    }
    return true;
}

} // namespace tradeapi::wire
