#pragma once

#include <wx/panel.h>
#include <wx/scrolbar.h>
#include <wx/simplebook.h>

class pmChartViewer;

// Layout of a chart page: the host's chart viewer over a horizontal scroll
// bar at the left, and a side book 325 pixels wide at the right for the
// symbol's side pane. The hand-written panel binds what it needs.
class ChartViewPanelBase : public wxPanel
{
public:
    explicit ChartViewPanelBase(wxWindow* parent, wxWindowID id = wxID_ANY,
                                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(400, 400),
                                long style = wxTAB_TRAVERSAL | wxBORDER_NONE);
    ~ChartViewPanelBase() override;

    pmChartViewer* GetChartView() { return m_chartView; }
    wxScrollBar* GetScrollBar() { return m_scrollBar; }
    wxSimplebook* GetSideBook() { return m_sideBook; }

protected:
    pmChartViewer* m_chartView;
    wxScrollBar* m_scrollBar;
    wxSimplebook* m_sideBook;
};
