#include "chartlib/WxChartRenderer.h"

#include "chartlib/BaseChart.h"
#include "chartlib/WxCanvas.h"

#include <memory>
#include <wx/dcmemory.h>

namespace chartlib {

wxBitmap WxChartRenderer::render(BaseChart& chart, bool withDynamicLayer, WxDrawingCache* cache)
{
    chart.layout();
    if(chart.getWidth() <= 0 || chart.getHeight() <= 0) {
        return wxBitmap();
    }
    wxBitmap bitmap(chart.getWidth(), chart.getHeight(), 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(dc));
        if(gc) {
            draw(chart, *gc, cache);
            if(withDynamicLayer) {
                drawDynamicLayer(chart, *gc, cache);
            }
        }
    }
    return bitmap;
}

void WxChartRenderer::draw(BaseChart& chart, wxGraphicsContext& gc, WxDrawingCache* cache)
{
    WxCanvas canvas(gc, cache);
    chart.render(canvas);
}

void WxChartRenderer::drawDynamicLayer(const BaseChart& chart, wxGraphicsContext& gc, WxDrawingCache* cache)
{
    WxCanvas canvas(gc, cache);
    canvas.setAntiAlias(chart.getAntiAlias(), 0);
    chart.renderDynamicLayer(canvas);
}

} // namespace chartlib
