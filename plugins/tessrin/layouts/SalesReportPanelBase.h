#pragma once

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/datectrl.h>
#include <wx/panel.h>
#include <wx/statline.h>
#include <wx/stattext.h>

class WebPage;
class wxWebView;

// Layout of the sales report page: the date range, the report server and
// market choices and the search button in a bar between two lines (a row,
// wrapped where the page is narrower), the web view below. The hand-written page overrides OnSearch.
class SalesReportPanelBase : public wxPanel
{
public:
    explicit SalesReportPanelBase(wxWindow* parent, wxWindowID id = wxID_ANY,
                                  const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                                  long style = wxTAB_TRAVERSAL);
    ~SalesReportPanelBase() override;

    wxDatePickerCtrl* GetStartDate() { return m_startDate; }
    wxDatePickerCtrl* GetEndDate() { return m_endDate; }
    wxComboBox* GetServerChoice() { return m_serverChoice; }
    wxComboBox* GetMarketChoice() { return m_marketChoice; }
    wxButton* GetSearchButton() { return m_searchButton; }
    // Null when the system has no web engine.
    WebPage* GetWebPage() { return m_webPage; }
    wxWebView* GetWebView();

protected:
    virtual void OnSearch(wxCommandEvent& event) { event.Skip(); }

    wxStaticLine* m_topLine;
    wxStaticText* m_startLabel;
    wxDatePickerCtrl* m_startDate;
    wxStaticText* m_endLabel;
    wxDatePickerCtrl* m_endDate;
    wxStaticText* m_serverLabel;
    wxComboBox* m_serverChoice;
    wxStaticText* m_marketLabel;
    wxComboBox* m_marketChoice;
    wxButton* m_searchButton;
    wxStaticLine* m_bottomLine;
    WebPage* m_webPage; // the view's client object, owned by the view
};
