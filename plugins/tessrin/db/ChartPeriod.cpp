#include "db/ChartPeriod.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <regex>
#include <string>

namespace {

struct UnitLetter
{
    char unit;
    char letter;
};

constexpr UnitLetter kUnitLetters[] = {{'1', 'S'}, {'2', 'M'}, {'3', 'H'}, {'4', 'D'}, {'5', 'm'}};

} // namespace

ChartPeriod ParsePeriod(const wxString& text)
{
    static const std::regex pattern("(\\d+)([SmHDM])");
    const std::string narrow = text.ToStdString(wxConvUTF8);
    std::smatch match;
    if(!std::regex_search(narrow, match, pattern)) {
        return ChartPeriod();
    }

    // A count that does not fit an int is no period.
    errno = 0;
    const long count = std::strtol(match[1].str().c_str(), nullptr, 10);
    if(errno == ERANGE || count > INT_MAX) {
        return ChartPeriod();
    }

    ChartPeriod period;
    period.count = static_cast<int>(count);
    for(const UnitLetter& entry : kUnitLetters) {
        if(entry.letter == match[2].str()[0]) {
            period.unit = entry.unit;
        }
    }
    return period;
}

wxString PeriodText(int count, char unit)
{
    for(const UnitLetter& entry : kUnitLetters) {
        if(entry.unit == unit) {
            return wxString::Format("%d%c", count, entry.letter);
        }
    }
    return "UNKNOW";
}
