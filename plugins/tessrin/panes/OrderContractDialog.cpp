#include "panes/OrderContractDialog.h"

#include <wx/button.h>
#include <wx/html/htmlwin.h>
#include <wx/intl.h>
#include <wx/sizer.h>

OrderContractDialog::OrderContractDialog(const wxString& page)
    : wxDialog(nullptr, wxID_ANY, _("Order Contract"), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxRESIZE_BORDER | wxSYSTEM_MENU | wxCLOSE_BOX),
      m_page(page)
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_html =
        new wxHtmlWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxHW_SCROLLBAR_AUTO, "htmlWindow");
    sizer->Add(m_html, 1, wxEXPAND | wxALL, 0);
    sizer->Add(new wxButton(this, wxID_CANCEL, _("Ok")), 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    SetSizer(sizer);
    Bind(wxEVT_INIT_DIALOG, &OrderContractDialog::OnInitDialog, this);
}

void OrderContractDialog::OnInitDialog(wxInitDialogEvent& event)
{
    m_html->SetPage(m_page);
    SetSize(850, 500);
    Centre(wxBOTH);
    event.Skip();
}
