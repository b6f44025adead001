#include "history/HistoryReplyText.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace HistoryReplyText {

wxString Text(const JSONElement& row, const char* key)
{
    return row.namedObject(key).toString(wxEmptyString);
}

double Number(const JSONElement& row, const char* key)
{
    // The C conversion whatever the user's locale: the server writes points.
    const std::string text = Text(row, key).ToStdString(wxConvUTF8);
    const char* first = text.c_str();
    const char* last = first + text.size();
    while(first != last && std::isspace(static_cast<unsigned char>(*first))) {
        ++first;
    }
    if(first != last && *first == '+') {
        ++first;
    }
    double value = 0.0;
    const std::from_chars_result result = std::from_chars(first, last, value);
    return result.ec != std::errc() || !std::isfinite(value) ? 0.0 : value;
}

namespace {
template <class T> T Truncate(double value)
{
    if(value >= static_cast<double>(std::numeric_limits<T>::max())) {
        return std::numeric_limits<T>::max();
    }
    if(value <= static_cast<double>(std::numeric_limits<T>::min())) {
        return std::numeric_limits<T>::min();
    }
    return static_cast<T>(value);
}
} // namespace

int Integer(const JSONElement& row, const char* key)
{
    return Truncate<int>(Number(row, key));
}

long Decimal(const JSONElement& row, const char* key)
{
    const std::string text = Text(row, key).ToStdString();
    errno = 0;
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return errno == ERANGE ? 0 : value;
}

int64_t Serial(const JSONElement& row, const char* key)
{
    const wxString text = Text(row, key);
    wxLongLong_t whole = 0;
    if(text.ToLongLong(&whole, 10)) {
        return static_cast<int64_t>(whole);
    }
    return Truncate<int64_t>(Number(row, key));
}

char FirstChar(const JSONElement& row, const char* key, char empty)
{
    const wxString text = Text(row, key);
    return text.empty() ? empty : static_cast<char>(text[0].GetValue());
}

char Code(const JSONElement& row, const char* key, char first, char last, char other)
{
    const wxString text = Text(row, key);
    if(text.length() == 1 && text[0] >= first && text[0] <= last) {
        return static_cast<char>(text[0].GetValue());
    }
    return other;
}

} // namespace HistoryReplyText
