#pragma once

#include "common/EndsWithLogin.h"

#include <wx/dialog.h>

class wxHtmlWindow;

// The order contract of a hold bill, shown as a page: the filled template
// above an "Ok" button, 850 by 500, centred on the screen. Modal.
class OrderContractDialog : public wxDialog
{
public:
    explicit OrderContractDialog(const wxString& page);

    wxHtmlWindow* GetHtmlWindow() const { return m_html; }
    const wxString& GetPage() const { return m_page; }

private:
    void OnInitDialog(wxInitDialogEvent& event);

    wxHtmlWindow* m_html; // a child window
    wxString m_page;
    EndsWithLogin m_endsWithLogin{*this};
};
