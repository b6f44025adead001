#include "layouts/MinTradeConfmBase.h"

#include "layouts/BitmapResources.h"

#include <platform/WebPage.h>
#include <wx/sizer.h>
#include <wx/webview.h>

MinTradeConfmBase::MinTradeConfmBase(wxWindow* parent, wxWindowID id, const wxString& title,
                                     const wxPoint& pos, const wxSize& size, long style)
{
    EnsureBitmapResources();
    Create(parent, id, title, pos, size, style);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_page = WebPage::Create(this);
    if(m_page) {
        sizer->Add(m_page->GetView(), 1, wxALL | wxEXPAND, 0);
        m_page->GetView()->Bind(wxEVT_WEBVIEW_NEWWINDOW, &MinTradeConfmBase::OnNewWindow, this);
    }
    SetSizer(sizer);
    Layout();
    Centre(wxBOTH);
    Bind(wxEVT_INIT_DIALOG, &MinTradeConfmBase::OnInitDialog, this);
    Bind(wxEVT_CLOSE_WINDOW, &MinTradeConfmBase::OnClose, this);
}

MinTradeConfmBase::~MinTradeConfmBase()
{
    if(m_page) {
        m_page->GetView()->Unbind(wxEVT_WEBVIEW_NEWWINDOW, &MinTradeConfmBase::OnNewWindow, this);
    }
    Unbind(wxEVT_INIT_DIALOG, &MinTradeConfmBase::OnInitDialog, this);
    Unbind(wxEVT_CLOSE_WINDOW, &MinTradeConfmBase::OnClose, this);
}

void MinTradeConfmBase::OnNewWindow(wxWebViewEvent& event)
{
    event.Skip();
}
