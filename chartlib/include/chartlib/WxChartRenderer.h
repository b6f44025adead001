#pragma once

#include <wx/bitmap.h>
#include <wx/graphics.h>

namespace chartlib {

class BaseChart;
class WxDrawingCache;

// Puts charts on the screen through WxCanvas. A window that draws again and
// again hands in its drawing cache (one per kind of context).
class WxChartRenderer
{
public:
    // A bitmap of the chart's size on white, with the chart and, when asked,
    // its dynamic layer; an invalid bitmap for a chart without area.
    static wxBitmap render(BaseChart& chart, bool withDynamicLayer = true, WxDrawingCache* cache = nullptr);
    // Draws the chart (or only its dynamic layer) on a graphics context, as
    // a viewer does when it paints the cached image and then the cursor.
    static void draw(BaseChart& chart, wxGraphicsContext& gc, WxDrawingCache* cache = nullptr);
    static void drawDynamicLayer(const BaseChart& chart, wxGraphicsContext& gc,
                                 WxDrawingCache* cache = nullptr);
};

} // namespace chartlib
