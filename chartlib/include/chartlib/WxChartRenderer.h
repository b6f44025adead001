#pragma once

#include <wx/bitmap.h>
#include <wx/graphics.h>

namespace chartlib {

class BaseChart;

// Puts charts on the screen through WxCanvas.
class WxChartRenderer
{
public:
    // A bitmap of the chart's size on white, with the chart and, when asked,
    // its dynamic layer; an invalid bitmap for a chart without area.
    static wxBitmap render(BaseChart& chart, bool withDynamicLayer = true);
    // Draws the chart (or only its dynamic layer) on a graphics context, as
    // a viewer does when it paints the cached image and then the cursor.
    static void draw(BaseChart& chart, wxGraphicsContext& gc);
    static void drawDynamicLayer(const BaseChart& chart, wxGraphicsContext& gc);
};

} // namespace chartlib
