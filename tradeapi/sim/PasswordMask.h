#pragma once
// The bank passwords of the money requests arrive masked: each byte XOR-ed
// with byte (i mod 4) of the request id (little-endian), then base64-encoded
// into the same field, cut at 24 characters. This undoes it.
#include <optional>
#include <string>

namespace simmarket {

class PasswordMask
{
public:
    // The clear password; empty optional when the text is no base64. A text
    // cut at 24 characters yields the first 18 bytes of the password.
    static std::optional<std::string> Unmask(const std::string& masked, int requestId);
    // The masked form the client library's caller sends (used by tests).
    static std::string Mask(const std::string& password, int requestId);
};

} // namespace simmarket
