#pragma once
// A history page for tests only: the history frame over a plain list control
// of two columns, the row number and the row's "orderCode". Its query asks
// for one report with the conditions a test gives.
//
//     auto* page = new TestReportPage(frame, "closebill", [](JSONElement& root) {
//         root.addProperty("userId", "1001");
//         return true;
//     });
//     page->SetServerSource(...);
//     page->Query();
#include "history/HistoryQryCtl.h"
#include "history/PagingPanel.h"
#include "history/QueryConditionPanel.h"

#include <functional>
#include <utility>
#include <vector>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/hyperlink.h>
#include <wx/listctrl.h>

class TestReportPage : public HistoryQryCtl
{
public:
    // Fills the conditions; false sends nothing.
    using Conditions = std::function<bool(JSONElement& root)>;

    TestReportPage(wxWindow* parent, const wxString& report, Conditions conditions)
        : HistoryQryCtl(parent), m_report(report), m_conditions(std::move(conditions))
    {
        m_list = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxSize(400, 300), wxLC_REPORT);
        m_list->AppendColumn("No.");
        m_list->AppendColumn("orderCode");
        CreateControls(m_list);
    }

    bool BuildQuery(wxString& path, JSONElement& root) override
    {
        path = "/tolvekquery/report_client/" + m_report + "?bizData=";
        return m_conditions && m_conditions(root);
    }

    void FillRows(int firstRowNumber, const JSONElement& data) override
    {
        ++m_fills;
        m_data = data.value();
        m_list->DeleteAllItems();
        for(int i = 0; i < data.arraySize(); ++i) {
            m_list->InsertItem(i, wxString::Format("%d", firstRowNumber + i));
            m_list->SetItem(i, 1, data.arrayItem(i).namedObject("orderCode").toString());
        }
    }

    // Rows as {number, order code}.
    std::vector<std::pair<wxString, wxString>> Rows() const
    {
        std::vector<std::pair<wxString, wxString>> rows;
        for(int i = 0; i < m_list->GetItemCount(); ++i) {
            rows.emplace_back(m_list->GetItemText(i, 0), m_list->GetItemText(i, 1));
        }
        return rows;
    }
    int Fills() const { return m_fills; }
    // The "data" of the last reply filled in.
    const JSONElement::Json& Data() const { return m_data; }

    // --- what a trader does, through the controls' own events
    void Query() { Click(GetConditionPanel()->GetQueryButton()); }
    void FirstPage() { Follow(GetPagingPanel()->GetFirstLink()); }
    void PrevPage() { Follow(GetPagingPanel()->GetPrevLink()); }
    void NextPage() { Follow(GetPagingPanel()->GetNextLink()); }
    void LastPage() { Follow(GetPagingPanel()->GetLastLink()); }
    void TypePage(const wxString& text) { GetPagingPanel()->GetPageText()->SetValue(text); }
    void ChoosePageSize(const wxString& size)
    {
        wxComboBox* choice = GetPagingPanel()->GetPageSizeChoice();
        choice->SetStringSelection(size);
        wxCommandEvent event(wxEVT_COMBOBOX, choice->GetId());
        event.SetEventObject(choice);
        choice->GetEventHandler()->ProcessEvent(event);
    }
    void ChangeEndDate(const wxDateTime& date)
    {
        wxDatePickerCtrl* picker = GetConditionPanel()->GetEndDate();
        picker->SetValue(date);
        wxDateEvent event(picker, date, wxEVT_DATE_CHANGED);
        picker->GetEventHandler()->ProcessEvent(event);
    }
    wxString Message() const { return GetPagingPanel()->GetMessageText()->GetLabel(); }
    wxString PageText() const { return GetPagingPanel()->GetPageText()->GetValue(); }
    wxString PageCountText() const { return GetPagingPanel()->GetPageCountText()->GetValue(); }

private:
    static void Click(wxButton* button)
    {
        wxCommandEvent event(wxEVT_BUTTON, button->GetId());
        event.SetEventObject(button);
        button->GetEventHandler()->ProcessEvent(event);
    }
    static void Follow(wxHyperlinkCtrl* link)
    {
        wxHyperlinkEvent event(link, link->GetId(), link->GetURL());
        link->GetEventHandler()->ProcessEvent(event);
    }

    wxString m_report;
    Conditions m_conditions;
    wxListCtrl* m_list;
    int m_fills = 0;
    JSONElement::Json m_data;
};
