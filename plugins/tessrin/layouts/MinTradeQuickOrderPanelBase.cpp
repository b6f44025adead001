#include "layouts/MinTradeQuickOrderPanelBase.h"

#include "layouts/BitmapResources.h"

#include <platform/WebPage.h>
#include <wx/sizer.h>
#include <wx/webview.h>

MinTradeQuickOrderPanelBase::MinTradeQuickOrderPanelBase(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                                         const wxSize& size, long style)
    : wxPanel(parent, id, pos, size, style)
{
    EnsureBitmapResources();
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_page = WebPage::Create(this);
    if(m_page) {
        sizer->Add(m_page->GetView(), 1, wxALL | wxEXPAND, 0);
        m_page->GetView()->Bind(wxEVT_WEBVIEW_NEWWINDOW, &MinTradeQuickOrderPanelBase::OnPageRequest, this);
    }
    sizer->AddSpacer(28);
    SetSizer(sizer);
    Layout();
}

MinTradeQuickOrderPanelBase::~MinTradeQuickOrderPanelBase()
{
    if(m_page) {
        m_page->GetView()->Unbind(wxEVT_WEBVIEW_NEWWINDOW, &MinTradeQuickOrderPanelBase::OnPageRequest, this);
    }
}

void MinTradeQuickOrderPanelBase::OnPageRequest(wxWebViewEvent& event)
{
    event.Skip();
}
