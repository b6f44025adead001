#pragma once

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/datectrl.h>
#include <wx/dateevt.h>
#include <wx/panel.h>
#include <wx/statline.h>
#include <wx/stattext.h>

// Layout of the conditions bar above every history page: the date range, the
// market choice and the Query and Reset buttons between two lines. The
// hand-written bar overrides the handlers.
class QueryConditionPanelBase : public wxPanel
{
public:
    explicit QueryConditionPanelBase(wxWindow* parent, wxWindowID id = wxID_ANY,
                                     const wxPoint& pos = wxDefaultPosition,
                                     const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    ~QueryConditionPanelBase() override;

    wxDatePickerCtrl* GetStartDate() { return m_startDate; }
    wxDatePickerCtrl* GetEndDate() { return m_endDate; }
    wxComboBox* GetMarketChoice() { return m_marketChoice; }
    wxButton* GetQueryButton() { return m_queryButton; }
    wxButton* GetResetButton() { return m_resetButton; }

protected:
    virtual void OnStartDate(wxDateEvent& event) { event.Skip(); }
    virtual void OnEndDate(wxDateEvent& event) { event.Skip(); }
    virtual void OnMarket(wxCommandEvent& event) { event.Skip(); }
    virtual void OnQuery(wxCommandEvent& event) { event.Skip(); }
    virtual void OnReset(wxCommandEvent& event) { event.Skip(); }

    wxStaticLine* m_topLine;
    wxStaticText* m_startLabel;
    wxDatePickerCtrl* m_startDate;
    wxStaticText* m_endLabel;
    wxDatePickerCtrl* m_endDate;
    wxStaticText* m_marketLabel;
    wxComboBox* m_marketChoice;
    wxButton* m_queryButton;
    wxButton* m_resetButton;
    wxStaticLine* m_bottomLine;
};
