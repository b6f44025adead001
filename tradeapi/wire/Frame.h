#pragma once
// Framing of the fixed-size structures: a 16-byte header, then the body.
// Query rows carry one row per frame with the last-row flag; an answer
// without rows is one frame with the no-rows flag and an empty body.
// A request answer's body is the echoed request followed by sFFixRspInfo.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tradeapi::wire {

enum FrameFlags : uint16_t {
    kFlagLast = 1,   // final row of a query answer
    kFlagNoRows = 2, // query answer without rows
};

struct FrameHeader
{
    uint32_t length; // body bytes
    uint32_t code;
    uint16_t flags;
    uint16_t reserved;
    int32_t requestId;
};
static_assert(sizeof(FrameHeader) == 16, "header size");

// Largest body either side accepts; larger announces a broken peer.
constexpr uint32_t kMaxBody = 64 * 1024;

struct Frame
{
    FrameHeader header{};
    std::vector<uint8_t> body;
};

// Header and body in one buffer, little-endian (the only byte order built).
std::vector<uint8_t> EncodeFrame(uint32_t code, int32_t requestId, uint16_t flags, const void* body,
                                 std::size_t size);
std::vector<uint8_t> EncodeFrame(uint32_t code, int32_t requestId, uint16_t flags, const void* first,
                                 std::size_t firstSize, const void* second, std::size_t secondSize);

// The header at the start of 16 bytes; checks only the body limit and the
// reserved field.
bool DecodeHeader(const uint8_t* bytes, FrameHeader& header, std::string& error);

// Splits a byte stream into frames; a broken header stops it for good.
class FrameReader
{
public:
    void Append(const uint8_t* data, std::size_t size);
    // True with the next complete frame; false when more bytes are needed or
    // the stream is broken (then Error() is not empty).
    bool Next(Frame& frame);
    const std::string& Error() const { return m_error; }

private:
    std::vector<uint8_t> m_buffer;
    std::size_t m_offset = 0;
    std::string m_error;
};

} // namespace tradeapi::wire
