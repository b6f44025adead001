#include "chartlib/FontName.h"

#include <algorithm>
#include <cctype>

namespace chartlib {

bool isBoldFontName(const std::string& name)
{
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    if(lower.find("bold") != std::string::npos) {
        return true;
    }
    const size_t dot = lower.rfind('.');
    const std::string base = dot == std::string::npos ? lower : lower.substr(0, dot);
    return base.size() > 2 && base.compare(base.size() - 2, 2, "bd") == 0;
}

} // namespace chartlib
