#include "PasswordMask.h"

#include <cstdint>

namespace simmarket {

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int Sextet(char c)
{
    for(int i = 0; i < 64; ++i)
        if(kAlphabet[i] == c)
            return i;
    return -1;
}

void Xor(std::string& bytes, int requestId)
{
    const uint32_t key = static_cast<uint32_t>(requestId);
    for(std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(static_cast<uint8_t>(bytes[i]) ^ ((key >> (8 * (i % 4))) & 0xff));
}

} // namespace

std::optional<std::string> PasswordMask::Unmask(const std::string& masked, int requestId)
{
    // Groups of four characters; a cut text ends on a whole group because
    // 24 is a multiple of four.
    if(masked.size() % 4 != 0)
        return std::nullopt;
    std::string bytes;
    for(std::size_t i = 0; i < masked.size(); i += 4) {
        int values[4];
        int padding = 0;
        for(int k = 0; k < 4; ++k) {
            const char c = masked[i + k];
            if(c == '=' && k >= 2 && i + 4 == masked.size()) {
                values[k] = 0;
                ++padding;
                continue;
            }
            if(padding > 0 || (values[k] = Sextet(c)) < 0)
                return std::nullopt;
        }
        const uint32_t group = (values[0] << 18) | (values[1] << 12) | (values[2] << 6) | values[3];
        bytes.push_back(static_cast<char>((group >> 16) & 0xff));
        if(padding < 2)
            bytes.push_back(static_cast<char>((group >> 8) & 0xff));
        if(padding < 1)
            bytes.push_back(static_cast<char>(group & 0xff));
    }
    Xor(bytes, requestId);
    return bytes;
}

std::string PasswordMask::Mask(const std::string& password, int requestId)
{
    std::string bytes = password;
    Xor(bytes, requestId);
    std::string text;
    for(std::size_t i = 0; i < bytes.size(); i += 3) {
        uint32_t group = static_cast<uint8_t>(bytes[i]) << 16;
        if(i + 1 < bytes.size())
            group |= static_cast<uint8_t>(bytes[i + 1]) << 8;
        if(i + 2 < bytes.size())
            group |= static_cast<uint8_t>(bytes[i + 2]);
        text.push_back(kAlphabet[(group >> 18) & 63]);
        text.push_back(kAlphabet[(group >> 12) & 63]);
        text.push_back(i + 1 < bytes.size() ? kAlphabet[(group >> 6) & 63] : '=');
        text.push_back(i + 2 < bytes.size() ? kAlphabet[group & 63] : '=');
    }
    return text.size() > 24 ? text.substr(0, 24) : text;
}

} // namespace simmarket
