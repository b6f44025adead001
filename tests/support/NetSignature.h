#pragma once
// The signature format of the signing-control stand-in, written out
// independently of its script so tests can check what it produced:
// "NSIG1." + base64(UTF-8 of the items joined by "\n") + "." + FNV-1a (hex).
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>
#include <wx/base64.h>

inline std::string NetSignatureFnv1a(const std::string& bytes)
{
    uint32_t hash = 0x811c9dc5u;
    for(const unsigned char byte : bytes) {
        hash ^= byte;
        hash *= 0x01000193u;
    }
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", hash);
    return hex;
}

inline std::string MakeNetSignature(const std::vector<std::string>& utf8Items)
{
    std::string joined;
    for(size_t i = 0; i < utf8Items.size(); ++i) {
        joined += (i ? "\n" : "") + utf8Items[i];
    }
    return "NSIG1." + wxBase64Encode(joined.data(), joined.size()).utf8_string() + "." +
           NetSignatureFnv1a(joined);
}

// The signed text (the items joined by "\n") of a well-formed signature
// whose hash matches; false otherwise.
inline bool DecodeNetSignature(const std::string& signature, std::string& joined)
{
    const std::string prefix = "NSIG1.";
    const size_t dot = signature.rfind('.');
    if(signature.compare(0, prefix.size(), prefix) != 0 || dot == std::string::npos || dot < prefix.size() ||
       signature.size() - dot != 9) {
        return false;
    }
    const std::string encoded = signature.substr(prefix.size(), dot - prefix.size());
    size_t errorAt = 0;
    const wxMemoryBuffer decoded =
        wxBase64Decode(encoded.data(), encoded.size(), wxBase64DecodeMode_Strict, &errorAt);
    if(decoded.IsEmpty() && !encoded.empty()) {
        return false;
    }
    const std::string text(static_cast<const char*>(decoded.GetData()), decoded.GetDataLen());
    if(NetSignatureFnv1a(text) != signature.substr(dot + 1)) {
        return false;
    }
    joined = text;
    return true;
}
