#include "connection/RequestFields.h"

#include <cstdint>
#include <cstring>
#include <tradeapi/FFixCommon.h>
#include <wx/base64.h>

bool ToNarrowText(const wxString& text, std::string& narrow)
{
    narrow.clear();
    if(text.empty()) {
        return true;
    }
    const wxScopedCharBuffer buffer = text.mb_str(wxConvLibc);
    if(buffer.length() == 0) {
        return false;
    }
    narrow.assign(buffer.data(), buffer.length());
    return true;
}

char* CopyToCharField(char* field, const wxString& text, std::size_t n)
{
    const wxScopedCharBuffer buffer = text.mb_str(wxConvLibc);
    std::strncpy(field, buffer.data() != nullptr ? buffer.data() : "", n);
    return field;
}

wxString Base64Field(const void* bytes, std::size_t length)
{
    return wxBase64Encode(bytes, length);
}

bool MaskPasswordField(char* field, int requestId)
{
    const void* end = std::memchr(field, 0, kMaskedPasswordChars);
    const std::size_t length = end != nullptr
                                   ? static_cast<std::size_t>(static_cast<const char*>(end) - field)
                                   : kMaskedPasswordChars;
    if(length > kMaxBankPasswordBytes) {
        return false;
    }
    const auto key = static_cast<std::uint32_t>(requestId);
    for(std::size_t i = 0; i < length; ++i) {
        const auto keyByte = static_cast<unsigned char>((key >> (8 * (i % 4))) & 0xffu);
        field[i] = static_cast<char>(static_cast<unsigned char>(field[i]) ^ keyByte);
    }
    const wxString text = Base64Field(field, length);
    CopyToCharField(field, text, kMaskedPasswordChars);
    return true;
}

namespace {
// Copies a narrow text that fits into a zeroed field, fixed-width.
template <std::size_t N> bool PutFixed(char (&field)[N], const wxString& text)
{
    std::string narrow;
    if(!ToNarrowText(text, narrow) || narrow.size() > N) {
        return false;
    }
    std::memcpy(field, narrow.data(), narrow.size());
    return true;
}
} // namespace

bool FillLoginRequest(sFFixReqUserLogin& request, const wxString& loginName, const wxString& password,
                      const wxString& localIp)
{
    std::memset(&request, 0, sizeof request);
    if(!PutFixed(request.loginName, loginName) || !PutFixed(request.password, password)) {
        std::memset(&request, 0, sizeof request);
        return false;
    }
    // An address text is short; one that is not is cut rather than refused.
    CopyToCharField(request.localIp, localIp, sizeof request.localIp);
    return true;
}
