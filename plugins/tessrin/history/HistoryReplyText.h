#pragma once

#include <cstdint>
#include <pelmora/JSONElement.h>
#include <wx/string.h>

// Values of a report row, each read as text whatever its JSON type (an
// absent member reads as the empty text).
namespace HistoryReplyText {
wxString Text(const JSONElement& row, const char* key);
// The number the text begins with; 0 when it begins with none.
double Number(const JSONElement& row, const char* key);
// Number truncated to an int (clamped to its range).
int Integer(const JSONElement& row, const char* key);
// Decimal integer, base 10; 0 when the text begins with none.
long Decimal(const JSONElement& row, const char* key);
// A serial number: a whole-number text keeps all its digits; any other text
// goes through Number and is truncated.
int64_t Serial(const JSONElement& row, const char* key);
// The first character; `empty` for the empty text.
char FirstChar(const JSONElement& row, const char* key, char empty);
// The code when the text is one of the one-character codes from `first` to
// `last`; `other` otherwise.
char Code(const JSONElement& row, const char* key, char first, char last, char other);
} // namespace HistoryReplyText
