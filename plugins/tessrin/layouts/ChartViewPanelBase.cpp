#include "layouts/ChartViewPanelBase.h"

#include "layouts/BitmapResources.h"

#include <pelmora/pmChartViewer.h>
#include <wx/sizer.h>

ChartViewPanelBase::ChartViewPanelBase(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                       const wxSize& size, long style)
    : wxPanel(parent, id, pos, size, style)
{
    EnsureBitmapResources();

    auto* rootSizer = new wxBoxSizer(wxHORIZONTAL);
    SetSizer(rootSizer);

    auto* chartSizer = new wxBoxSizer(wxVERTICAL);
    rootSizer->Add(chartSizer, 1, wxLEFT | wxBOTTOM | wxEXPAND, 0);

    m_chartView = new pmChartViewer(this, wxID_ANY, wxDefaultPosition, wxSize(400, 400), wxTAB_TRAVERSAL);
    chartSizer->Add(m_chartView, 1, wxEXPAND, 0);

    m_scrollBar = new wxScrollBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSB_HORIZONTAL);
    m_scrollBar->SetScrollbar(0, 1, 10, 1);
    chartSizer->Add(m_scrollBar, 0, wxEXPAND, 0);

    auto* sideSizer = new wxBoxSizer(wxVERTICAL);
    rootSizer->Add(sideSizer, 0, wxBOTTOM | wxRIGHT | wxEXPAND, 5);

    m_sideBook = new wxSimplebook(this, wxID_ANY, wxDefaultPosition, wxSize(325, -1));
    m_sideBook->SetEffect(wxSHOW_EFFECT_NONE);
    m_sideBook->SetMinSize(wxSize(325, -1));
    sideSizer->Add(m_sideBook, 1, wxEXPAND, 0);

    rootSizer->Fit(this);
    Centre(wxBOTH);
}

ChartViewPanelBase::~ChartViewPanelBase() = default;
