#include "pelmora/pmChartViewer.h"

#include <algorithm>
#include <chartlib/BaseChart.h>
#include <chartlib/MultiChart.h>
#include <chartlib/WxChartRenderer.h>
#include <chartlib/XYChart.h>
#include <memory>
#include <wx/dcclient.h>
#include <wx/graphics.h>

const wxEventTypeTag<wxCommandEvent> wxEVT_CHARTVIEWER_VIEWPORT_CHANGED(wxEVT_USER_FIRST + 100);
const wxEventTypeTag<wxCommandEvent> wxEVT_CHARTVIEWER_MOUSEMOVE_PLOTAREA(wxEVT_USER_FIRST + 101);
const wxEventTypeTag<wxCommandEvent> wxEVT_CHARTVIEWER_TRACK_REFRESH(wxEVT_USER_FIRST + 104);

pmChartViewer::pmChartViewer(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                             long style)
    : wxPanel(parent, id, pos, size, style | wxWANTS_CHARS)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    // Its own font: a paint's device context would ask the toolkit's style
    // for the default one at every paint.
    SetOwnFont(GetFont());
    Bind(wxEVT_PAINT, &pmChartViewer::OnPaint, this);
    Bind(wxEVT_SIZE, &pmChartViewer::OnSize, this);
    Bind(wxEVT_MOTION, &pmChartViewer::OnMotion, this);
    Bind(wxEVT_LEFT_DOWN, &pmChartViewer::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &pmChartViewer::OnLeftUp, this);
    Bind(wxEVT_LEAVE_WINDOW, &pmChartViewer::OnLeave, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &pmChartViewer::OnCaptureLost, this);
}

pmChartViewer::~pmChartViewer()
{
    if(HasCapture()) {
        ReleaseMouse();
    }
    delete m_chart;
}

void pmChartViewer::setChart(chartlib::BaseChart* chart)
{
    m_chart = chart;
    m_image = wxBitmap();
    m_imageStale = true;
    Refresh(false);
}

void pmChartViewer::updateViewPort(bool needUpdateChart, bool needUpdateImageMap)
{
    m_needUpdateChart = needUpdateChart;
    m_needUpdateImageMap = needUpdateImageMap;
    Send(wxEVT_CHARTVIEWER_VIEWPORT_CHANGED);
    Refresh(false);
}

void pmChartViewer::updateDisplay()
{
    Refresh(false);
}

void pmChartViewer::setImageMap(const std::string& imageMap)
{
    m_areas = chartlib::parseImageMap(imageMap);
}

wxString pmChartViewer::getToolTipAt(int x, int y) const
{
    for(const chartlib::ImageMapArea& area : m_areas) {
        if(area.contains(x, y)) {
            return wxString::FromUTF8(area.title);
        }
    }
    return wxString();
}

void pmChartViewer::OnPaint(wxPaintEvent& event)
{
    wxUnusedVar(event);
    wxPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    if(!m_chart) {
        return;
    }
    if(m_imageStale) {
        m_image = chartlib::WxChartRenderer::render(*m_chart, false, &m_imageCache);
        m_imageStale = false;
    }
    if(m_image.IsOk()) {
        dc.DrawBitmap(m_image, 0, 0, false);
    }
    std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(dc));
    if(gc) {
        chartlib::WxChartRenderer::drawDynamicLayer(*m_chart, *gc, &m_dynamicCache);
    }
}

void pmChartViewer::OnSize(wxSizeEvent& event)
{
    Refresh(false);
    Post(wxEVT_CHARTVIEWER_TRACK_REFRESH);
    event.Skip();
}

void pmChartViewer::OnMotion(wxMouseEvent& event)
{
    const wxPoint point = event.GetPosition();
    m_chartMouseX = point.x;
    m_chartMouseY = point.y;
    if(m_leftDownInPlot && m_mouseUsage == MouseUsageScroll && event.LeftIsDown()) {
        m_dragScrolling = true;
    }
    const wxRect plot = PlotArea();
    if(!plot.IsEmpty() && (plot.Contains(point) || m_dragScrolling)) {
        m_plotAreaMouseX = std::clamp(point.x, plot.GetLeft(), plot.GetRight());
        m_plotAreaMouseY = std::clamp(point.y, plot.GetTop(), plot.GetBottom());
        Send(wxEVT_CHARTVIEWER_MOUSEMOVE_PLOTAREA);
    }
    const wxString tip = getToolTipAt(point.x, point.y);
    if(tip != m_toolTip) {
        m_toolTip = tip;
        if(tip.empty()) {
            UnsetToolTip();
        } else {
            SetToolTip(tip);
        }
    }
    event.Skip();
}

void pmChartViewer::OnLeftDown(wxMouseEvent& event)
{
    SetFocus(); // the arrow keys go to the chart
    const wxPoint point = event.GetPosition();
    const wxRect plot = PlotArea();
    if(!plot.IsEmpty() && plot.Contains(point)) {
        m_plotAreaMouseDownX = point.x;
        m_plotAreaMouseDownY = point.y;
        m_leftDownInPlot = true;
        if(m_mouseUsage == MouseUsageScroll && !HasCapture()) {
            CaptureMouse();
        }
    }
    event.Skip();
}

void pmChartViewer::OnLeftUp(wxMouseEvent& event)
{
    EndDrag();
    event.Skip();
}

void pmChartViewer::OnLeave(wxMouseEvent& event)
{
    if(!m_dragScrolling) {
        Post(wxEVT_CHARTVIEWER_TRACK_REFRESH);
    }
    event.Skip();
}

void pmChartViewer::OnCaptureLost(wxMouseCaptureLostEvent& event)
{
    wxUnusedVar(event);
    m_leftDownInPlot = false;
    m_dragScrolling = false;
}

void pmChartViewer::EndDrag()
{
    if(HasCapture()) {
        ReleaseMouse();
    }
    m_leftDownInPlot = false;
    m_dragScrolling = false;
}

void pmChartViewer::Send(wxEventType type)
{
    wxCommandEvent event(type, GetId());
    event.SetEventObject(this);
    event.StopPropagation(); // the viewer's own: its parents do not see it
    ProcessWindowEvent(event);
}

void pmChartViewer::Post(wxEventType type)
{
    auto* event = new wxCommandEvent(type, GetId());
    event->SetEventObject(this);
    event->StopPropagation();
    wxQueueEvent(this, event);
}

wxRect pmChartViewer::PlotArea() const
{
    chartlib::XYChart* pane = nullptr;
    if(auto* multi = dynamic_cast<chartlib::MultiChart*>(m_chart)) {
        pane = multi->getMainChart() ? multi->getMainChart() : multi->getChart(0);
    } else {
        pane = dynamic_cast<chartlib::XYChart*>(m_chart);
    }
    if(!pane) {
        return wxRect();
    }
    const chartlib::PlotArea* plot = pane->getPlotArea();
    return wxRect(plot->getLeftX() + pane->getAbsOffsetX(), plot->getTopY() + pane->getAbsOffsetY(),
                  plot->getWidth(), plot->getHeight());
}
