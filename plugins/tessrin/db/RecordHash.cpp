#include "db/RecordHash.h"

namespace {

inline void Combine(uint32_t& seed, unsigned char byte)
{
    // Each byte as a signed char, sign-extended, as the hash was defined.
    const uint32_t value = static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(byte)));
    seed ^= value + 0x9E3779B9u + (seed << 6) + (seed >> 2);
}

} // namespace

uint32_t hash_value(const wxString& text)
{
    // Encoded to UTF-8 on the fly: the hash runs on every lookup by order code
    // and must not allocate.
    uint32_t seed = 0;
    for(wxString::const_iterator it = text.begin(); it != text.end(); ++it) {
        const uint32_t code = static_cast<uint32_t>((*it).GetValue());
        if(code < 0x80) {
            Combine(seed, static_cast<unsigned char>(code));
        } else if(code < 0x800) {
            Combine(seed, static_cast<unsigned char>(0xC0 | (code >> 6)));
            Combine(seed, static_cast<unsigned char>(0x80 | (code & 0x3F)));
        } else if(code < 0x10000) {
            Combine(seed, static_cast<unsigned char>(0xE0 | (code >> 12)));
            Combine(seed, static_cast<unsigned char>(0x80 | ((code >> 6) & 0x3F)));
            Combine(seed, static_cast<unsigned char>(0x80 | (code & 0x3F)));
        } else {
            Combine(seed, static_cast<unsigned char>(0xF0 | ((code >> 18) & 0x07)));
            Combine(seed, static_cast<unsigned char>(0x80 | ((code >> 12) & 0x3F)));
            Combine(seed, static_cast<unsigned char>(0x80 | ((code >> 6) & 0x3F)));
            Combine(seed, static_cast<unsigned char>(0x80 | (code & 0x3F)));
        }
    }
    return seed;
}
