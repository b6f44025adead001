#include "chartlib/ImageMap.h"

#include <cstdio>

namespace chartlib {
namespace {

// The value of attribute `name` in one area tag, quoted with ' or ".
bool attribute(const std::string& tag, const std::string& name, std::string& value)
{
    size_t pos = 0;
    while((pos = tag.find(name + "=", pos)) != std::string::npos) {
        const bool standsAlone = pos == 0 || tag[pos - 1] == ' ' || tag[pos - 1] == '\n';
        const size_t quoteAt = pos + name.size() + 1;
        if(standsAlone && quoteAt < tag.size() && (tag[quoteAt] == '\'' || tag[quoteAt] == '"')) {
            const size_t end = tag.find(tag[quoteAt], quoteAt + 1);
            if(end == std::string::npos) {
                return false;
            }
            value = tag.substr(quoteAt + 1, end - quoteAt - 1);
            return true;
        }
        pos += name.size();
    }
    return false;
}

} // namespace

std::vector<ImageMapArea> parseImageMap(const std::string& map)
{
    std::vector<ImageMapArea> out;
    size_t pos = 0;
    while((pos = map.find("<area", pos)) != std::string::npos) {
        // A quoted title may hold '>', so the tag ends at the first '>'
        // outside quotes.
        size_t end = pos;
        char quote = 0;
        for(; end < map.size(); ++end) {
            const char c = map[end];
            if(quote) {
                quote = c == quote ? 0 : quote;
            } else if(c == '\'' || c == '"') {
                quote = c;
            } else if(c == '>') {
                break;
            }
        }
        const std::string tag = map.substr(pos, end - pos);
        pos = end;
        ImageMapArea area;
        std::string coords;
        if(!attribute(tag, "coords", coords) || std::sscanf(coords.c_str(), "%d,%d,%d,%d", &area.left,
                                                            &area.top, &area.right, &area.bottom) != 4) {
            continue;
        }
        attribute(tag, "href", area.href);
        attribute(tag, "title", area.title);
        out.push_back(std::move(area));
    }
    return out;
}

} // namespace chartlib
