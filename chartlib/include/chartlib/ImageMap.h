#pragma once

#include <string>
#include <vector>

namespace chartlib {

// One area of an image map as getHTMLImageMap writes it, for a viewer's
// tool tips and clicks.
struct ImageMapArea
{
    int left = 0, top = 0, right = 0, bottom = 0;
    std::string href;
    std::string title;

    bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

// The rectangle areas of an image map; titles may span lines and be quoted
// with ' or ".
std::vector<ImageMapArea> parseImageMap(const std::string& map);

} // namespace chartlib
