#ifndef PELMORA_PMCHARTVIEWER_H
#define PELMORA_PMCHARTVIEWER_H

#include <chartlib/ImageMap.h>
#include <chartlib/WxDrawingCache.h>
#include <string>
#include <vector>
#include <wx/bitmap.h>
#include <wx/panel.h>

namespace chartlib {
class BaseChart;
}

// Events of the viewer, sent to the viewer itself (bind on the viewer). The
// numbers lie in wx's user range; they are window events, never bus events.
// The view port changed: a new chart may be needed (needUpdateChart).
extern const wxEventTypeTag<wxCommandEvent> wxEVT_CHARTVIEWER_VIEWPORT_CHANGED; // wxEVT_USER_FIRST + 100
// The mouse moved over the plot area, or while dragging.
extern const wxEventTypeTag<wxCommandEvent> wxEVT_CHARTVIEWER_MOUSEMOVE_PLOTAREA; // wxEVT_USER_FIRST + 101
// The cursor layer needs drawing again (size change, mouse gone).
extern const wxEventTypeTag<wxCommandEvent> wxEVT_CHARTVIEWER_TRACK_REFRESH; // wxEVT_USER_FIRST + 104

// The host's chart viewer: shows one chart of the chart library and, over
// it, the chart's dynamic layer, so a cursor moves without a new chart. It
// owns the chart it holds when it is destroyed; setChart does not delete the
// chart it replaces (its caller does). Mouse positions are in the chart's
// coordinates (the chart is drawn at the viewer's top left); the plot area
// is that of the chart's main pane.
class pmChartViewer : public wxPanel
{
public:
    enum MouseUsage {
        MouseUsageDefault = 0,
        MouseUsageScroll = 1, // dragging the plot area scrolls
    };

    pmChartViewer(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                  const wxSize& size = wxSize(400, 400), long style = wxTAB_TRAVERSAL);
    ~pmChartViewer() override;

    void setChart(chartlib::BaseChart* chart);
    chartlib::BaseChart* getChart() const { return m_chart; }

    // Sends wxEVT_CHARTVIEWER_VIEWPORT_CHANGED (a handler may give a new
    // chart), then repaints.
    void updateViewPort(bool needUpdateChart, bool needUpdateImageMap);
    bool needUpdateChart() const { return m_needUpdateChart; }
    bool needUpdateImageMap() const { return m_needUpdateImageMap; }
    // Repaints: the chart as drawn last, its dynamic layer as it is now.
    void updateDisplay();

    void setMouseUsage(int usage) { m_mouseUsage = usage; }
    int getMouseUsage() const { return m_mouseUsage; }
    bool isDragScrolling() const { return m_dragScrolling; }

    int getChartMouseX() const { return m_chartMouseX; }
    int getChartMouseY() const { return m_chartMouseY; }
    // The mouse position held inside the plot area.
    int getPlotAreaMouseX() const { return m_plotAreaMouseX; }
    int getPlotAreaMouseY() const { return m_plotAreaMouseY; }
    // Where the left button went down in the plot area; a drag handler moves
    // it on as it scrolls.
    int getPlotAreaMouseDownX() const { return m_plotAreaMouseDownX; }
    int getPlotAreaMouseDownY() const { return m_plotAreaMouseDownY; }
    void setPlotAreaMouseDownX(int x) { m_plotAreaMouseDownX = x; }
    void setPlotAreaMouseDownY(int y) { m_plotAreaMouseDownY = y; }

    // Areas of an image map (BaseChart::getHTMLImageMap); the title of the
    // area under the mouse is the tool tip.
    void setImageMap(const std::string& imageMap);
    const std::vector<chartlib::ImageMapArea>& getImageMapAreas() const { return m_areas; }
    // The tool tip at a chart point; empty outside every area.
    wxString getToolTipAt(int x, int y) const;

private:
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnLeave(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void EndDrag();
    void Send(wxEventType type);
    void Post(wxEventType type);
    // The main pane's plot area in chart coordinates; empty without one.
    wxRect PlotArea() const;

    chartlib::BaseChart* m_chart = nullptr;
    wxBitmap m_image; // the chart without its dynamic layer
    bool m_imageStale = true;
    chartlib::WxDrawingCache m_imageCache;   // fonts and text sizes of the image
    chartlib::WxDrawingCache m_dynamicCache; // of the dynamic layer, drawn on the window
    bool m_needUpdateChart = false;
    bool m_needUpdateImageMap = false;
    int m_mouseUsage = MouseUsageDefault;
    bool m_leftDownInPlot = false;
    bool m_dragScrolling = false;
    int m_chartMouseX = 0, m_chartMouseY = 0;
    int m_plotAreaMouseX = 0, m_plotAreaMouseY = 0;
    int m_plotAreaMouseDownX = 0, m_plotAreaMouseDownY = 0;
    std::vector<chartlib::ImageMapArea> m_areas;
    wxString m_toolTip;
};

#endif // PELMORA_PMCHARTVIEWER_H
