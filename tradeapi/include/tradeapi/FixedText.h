#pragma once
// Reading and writing the fixed-width text fields of the structures. A field
// may be filled to its last byte without a terminator, so a reader never
// looks past the field.
#include <cstddef>
#include <cstring>
#include <string>

namespace tradeapi {

// The text of a field: up to the first NUL or the field's end.
template <std::size_t N> std::string FixedText(const char (&field)[N])
{
    const void* end = std::memchr(field, 0, N);
    return std::string(field, end ? static_cast<const char*>(end) - field : N);
}

// Copies text into a field, always leaving a terminator; the rest is zeroed.
template <std::size_t N> void SetFixedText(char (&field)[N], const std::string& text)
{
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), text.size() < N ? text.size() : N - 1);
}

} // namespace tradeapi
