#include "platform/WebAddress.h"

#include <cctype>
#include <string>

namespace {

bool HasBlankOrControl(const wxString& text)
{
    for(const wxUniChar c : text) {
        const wxUint32 code = c.GetValue();
        if(code <= 0x20 || code == 0x7F || code == 0x2028 || code == 0x2029) {
            return true;
        }
    }
    return false;
}

// %XX sequences decoded as UTF-8; malformed ones are kept as they are.
wxString Unescape(const wxString& text)
{
    const std::string bytes = text.utf8_string();
    std::string out;
    out.reserve(bytes.size());
    for(size_t i = 0; i < bytes.size(); ++i) {
        if(bytes[i] == '%' && i + 2 < bytes.size() && isxdigit(static_cast<unsigned char>(bytes[i + 1])) &&
           isxdigit(static_cast<unsigned char>(bytes[i + 2]))) {
            out += static_cast<char>(std::stoi(bytes.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += bytes[i];
        }
    }
    const wxString decoded = wxString::FromUTF8(out);
    return decoded.empty() && !out.empty() ? text : decoded;
}

// The parts of an address, split before anything is unescaped.
struct Parts
{
    wxString scheme;           // lower case
    bool hierarchical = false; // "scheme://"
    wxString host;             // lower case, without user and port
    wxString port;
    wxString rest; // path, query and fragment
};

Parts Split(const wxString& url)
{
    Parts parts;
    const int colon = url.Find(':');
    if(colon <= 0) {
        parts.rest = url;
        return parts;
    }
    parts.scheme = url.Left(colon).Lower();
    wxString rest = url.Mid(colon + 1);
    if(rest.StartsWith("//", &rest)) {
        parts.hierarchical = true;
        size_t end = 0;
        while(end < rest.length() && rest[end] != '/' && rest[end] != '?' && rest[end] != '#') {
            ++end;
        }
        wxString authority = rest.Left(end);
        rest = rest.Mid(end);
        const int at = authority.Find('@', true);
        if(at != wxNOT_FOUND) {
            authority = authority.Mid(at + 1);
        }
        const int portColon = authority.Find(':', true);
        if(portColon != wxNOT_FOUND && !authority.EndsWith("]")) {
            parts.port = authority.Mid(portColon + 1);
            authority = authority.Left(portColon);
        }
        parts.host = authority.Lower();
    }
    parts.rest = rest;
    return parts;
}

wxString Canonical(const wxString& url)
{
    Parts parts = Split(url);
    if(!parts.hierarchical) {
        return parts.scheme + ":" + Unescape(parts.rest);
    }
    if((parts.scheme == "http" && parts.port == "80") || (parts.scheme == "https" && parts.port == "443")) {
        parts.port.clear();
    }
    wxString rest = Unescape(parts.rest);
    if(!rest.StartsWith("/")) {
        rest = "/" + rest;
    }
    return parts.scheme + "://" + parts.host + (parts.port.empty() ? "" : ":" + parts.port) + rest;
}

} // namespace

bool WebAddress::IsWeb(const wxString& url)
{
    if(url.empty() || HasBlankOrControl(url)) {
        return false;
    }
    const Parts parts = Split(url);
    return (parts.scheme == "http" || parts.scheme == "https") && parts.hierarchical && !parts.host.empty();
}

bool WebAddress::IsBlank(const wxString& url)
{
    const wxString lower = url.Lower();
    return lower == "about:blank" || lower.StartsWith("about:blank?") || lower.StartsWith("about:blank#");
}

bool WebAddress::IsSame(const wxString& first, const wxString& second)
{
    return Canonical(first) == Canonical(second);
}

wxString WebAddress::Origin(const wxString& url)
{
    if(!IsWeb(url)) {
        return wxString();
    }
    Parts parts = Split(url);
    if((parts.scheme == "http" && parts.port == "80") || (parts.scheme == "https" && parts.port == "443")) {
        parts.port.clear();
    }
    return parts.scheme + "://" + parts.host + (parts.port.empty() ? "" : ":" + parts.port);
}

wxString WebAddress::FromFilePath(const wxString& path)
{
    // Unreserved characters and '/' stay; everything else is escaped as UTF-8.
    const std::string bytes = path.utf8_string();
    static const char* const hex = "0123456789ABCDEF";
    std::string out = "file://";
    for(const char ch : bytes) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if(isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0x0F];
        }
    }
    return wxString::FromUTF8(out);
}
