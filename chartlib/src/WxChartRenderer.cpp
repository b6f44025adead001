#include "chartlib/WxChartRenderer.h"

#include "chartlib/BaseChart.h"
#include "chartlib/WxCanvas.h"

#include <memory>
#include <wx/dcmemory.h>

namespace chartlib {

wxBitmap WxChartRenderer::render(BaseChart& chart, bool withDynamicLayer)
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
            draw(chart, *gc);
            if(withDynamicLayer) {
                drawDynamicLayer(chart, *gc);
            }
        }
    }
    return bitmap;
}

void WxChartRenderer::draw(BaseChart& chart, wxGraphicsContext& gc)
{
    WxCanvas canvas(gc);
    chart.render(canvas);
}

void WxChartRenderer::drawDynamicLayer(const BaseChart& chart, wxGraphicsContext& gc)
{
    WxCanvas canvas(gc);
    canvas.setAntiAlias(chart.getAntiAlias(), 0);
    chart.renderDynamicLayer(canvas);
}

} // namespace chartlib
