#include "charts/KLineAnswer.h"

#include "db/TradeArithmetic.h"

#include <array>
#include <charconv>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kRowFields = 8;

// A field as a figure (a 1e308 high would flatten the chart), as a C-locale
// reading of the whole field would take it: blanks and a '+' before it
// allowed, nothing after it.
bool FiniteNumber(std::string_view field, double& value)
{
    const char* first = field.data();
    const char* last = first + field.size();
    while(first != last && (*first == ' ' || (*first >= '\t' && *first <= '\r'))) {
        ++first;
    }
    if(first != last && *first == '+') {
        ++first;
    }
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last && end != first && IsFigure(value);
}

// "time,x,open,high,low,close,x,x": a comma after '\' belongs to its field
// and takes the '\''s place; a comma after such a comma is a separator again.
bool ParseRow(const std::string& row, sKData& bar)
{
    std::array<std::string, kRowFields> unescaped;
    std::array<std::string_view, kRowFields> fields;
    std::size_t count = 0;
    const auto keep = [&](std::string_view field, const std::string* copy) {
        if(count < kRowFields) {
            if(copy) {
                unescaped[count] = *copy;
                field = unescaped[count];
            }
            fields[count] = field;
        }
        ++count;
    };
    if(row.find('\\') == std::string::npos) {
        // No escaped comma: the fields are slices of the row.
        std::size_t start = 0;
        for(std::size_t comma = row.find(','); comma != std::string::npos; comma = row.find(',', start)) {
            keep(std::string_view(row).substr(start, comma - start), nullptr);
            start = comma + 1;
        }
        if(start < row.size() || (!row.empty() && row.back() == ',')) {
            keep(std::string_view(row).substr(start), nullptr);
        }
    } else {
        std::string current;
        char previous = 0;
        for(const char c : row) {
            if(c == ',') {
                if(previous == '\\') {
                    current.back() = ',';
                } else {
                    keep({}, &current);
                    current.clear();
                }
            } else {
                current += c;
            }
            previous = c;
        }
        if(!current.empty() || previous == ',') {
            keep({}, &current);
        }
    }
    if(count < kRowFields) {
        return false;
    }
    bar = sKData();
    // No market prices at zero or below: such a low flattened the candles.
    return FiniteNumber(fields[0], bar.time) && FiniteNumber(fields[2], bar.open) &&
           FiniteNumber(fields[3], bar.high) && FiniteNumber(fields[4], bar.low) &&
           FiniteNumber(fields[5], bar.close) && bar.open > 0 && bar.high > 0 && bar.low > 0 && bar.close > 0;
}

// The answer's bytes: its characters as they are while they are ASCII (all
// but a name ever is), else its UTF-8 form.
std::string Utf8Of(const wxString& text)
{
    const wxStringCharType* characters = text.wx_str();
    const std::size_t length = text.length();
    std::string bytes(length, '\0');
    for(std::size_t i = 0; i < length; ++i) {
        if(static_cast<unsigned long>(characters[i]) >= 0x80) {
            const wxScopedCharBuffer utf8 = text.utf8_str();
            return std::string(utf8.data(), utf8.length());
        }
        bytes[i] = static_cast<char>(characters[i]);
    }
    return bytes;
}

// Follows the parser through the array: items at depth 1, the last "row"
// text of an object item at depth 2.
class RowReader : public nlohmann::json_sax<nlohmann::json>
{
public:
    explicit RowReader(KLineAnswer& answer) : m_answer(answer) {}

    bool null() override { return Value(); }
    bool boolean(bool) override { return Value(); }
    bool number_integer(number_integer_t) override { return Value(); }
    bool number_unsigned(number_unsigned_t) override { return Value(); }
    bool number_float(number_float_t, const string_t&) override { return Value(); }
    bool string(string_t& value) override
    {
        if(m_depth == 2 && m_inObject && m_rowKey) {
            m_row = value;
            m_hasRow = true;
        }
        return Value();
    }
    bool binary(binary_t&) override { return Value(); }
    bool start_object(std::size_t) override
    {
        Value();
        if(++m_depth == 2) {
            m_inObject = true;
            m_hasRow = false;
        }
        return true;
    }
    bool key(string_t& value) override
    {
        m_rowKey = m_depth == 2 && value == "row";
        return true;
    }
    bool end_object() override
    {
        if(m_depth-- == 2) {
            m_inObject = false;
            sKData bar;
            if(m_hasRow && ParseRow(m_row, bar)) {
                m_answer.bars.push_back(bar);
            }
        }
        return true;
    }
    bool start_array(std::size_t) override
    {
        Value();
        ++m_depth;
        return true;
    }
    bool end_array() override
    {
        --m_depth;
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override
    {
        return false;
    }

private:
    // A value read at depth 1 is an item of the array.
    bool Value()
    {
        if(m_depth == 1) {
            ++m_answer.items;
        }
        m_rowKey = false;
        return true;
    }

    KLineAnswer& m_answer;
    int m_depth = 0;
    bool m_inObject = false;
    bool m_rowKey = false;
    bool m_hasRow = false;
    std::string m_row;
};

} // namespace

bool KLineAnswer::Parse(const wxString& text)
{
    bars.clear();
    items = 0;
    const std::string utf8 = Utf8Of(text);
    const std::string_view body(utf8);
    const std::size_t first = body.find('[');
    const std::size_t last = body.rfind(']');
    if(first == std::string_view::npos || last == std::string_view::npos || last < first) {
        return false;
    }
    RowReader reader(*this);
    const std::string_view array = body.substr(first, last - first + 1);
    if(!nlohmann::json::sax_parse(array.begin(), array.end(), &reader)) {
        bars.clear();
        items = 0;
        return false;
    }
    return true;
}
