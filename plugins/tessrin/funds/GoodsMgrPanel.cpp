#include "funds/GoodsMgrPanel.h"

#include "common/IClientPlugin.h"
#include "common/MessageLine.h"
#include "common/ModalMessageBox.h"
#include "common/PluginEvents.h"
#include "connection/Client.h"
#include "db/DateTimeText.h"
#include "db/RecordStore.h"
#include "funds/FinancingGoods.h"
#include "funds/FinancingGoodsPane.h"
#include "funds/FinancingGoodsRules.h"

#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

GoodsMgrPanel::GoodsMgrPanel(RecordStore* db, HostManager* mgr, wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxBORDER_NONE), m_db(db),
      m_mgr(mgr), m_timer(this), m_wait(this)
{
    CreateControls();
    Bind(wxEVT_TIMER, &GoodsMgrPanel::OnTimer, this, m_timer.GetId());
    if(wxTheApp) {
        wxTheApp->Bind(wxEVT_PLUGIN_UNPLUG, &GoodsMgrPanel::OnPluginUnplug, this);
    }
    Query();
}

GoodsMgrPanel::~GoodsMgrPanel()
{
    if(wxTheApp) {
        wxTheApp->Unbind(wxEVT_PLUGIN_UNPLUG, &GoodsMgrPanel::OnPluginUnplug, this);
    }
    m_timer.Stop();
    m_wait.Drop();
}

void GoodsMgrPanel::CreateControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* bar = new wxPanel(this);
    auto* barSizer = new wxBoxSizer(wxHORIZONTAL);
    m_refresh = new wxButton(bar, XRCID("UpdateSymbolInventory"), _("Refresh Symbol Inventory"));
    m_timeLine = new wxTextCtrl(bar, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(400, -1),
                                wxTE_READONLY | wxBORDER_NONE);
    barSizer->Add(m_refresh, 0, wxALL, 2);
    barSizer->Add(m_timeLine, 0, wxALL | wxALIGN_CENTER_VERTICAL, 2);
    barSizer->AddStretchSpacer();
    bar->SetSizer(barSizer);
    sizer->Add(bar, 0, wxEXPAND);
    sizer->Add(new wxStaticLine(this), 0, wxEXPAND);
    m_goods = new FinancingGoodsPane(m_db, m_mgr, this);
    sizer->Add(m_goods, 1, wxEXPAND);
    sizer->Add(new wxStaticLine(this), 0, wxEXPAND);
    SetSizer(sizer);
    m_refresh->Bind(wxEVT_BUTTON, &GoodsMgrPanel::OnRefresh, this);
}

wxString GoodsMgrPanel::GetCaption()
{
    return _("FinancingGoods");
}

void GoodsMgrPanel::ShowGoodsPage(RecordStore* db, HostManager* mgr, Callback callback)
{
    if(FindGoodsPage(callback, mgr)) {
        return;
    }
    Notebook* centre = mgr ? mgr->GetCentreBook() : nullptr;
    if(!centre) {
        return;
    }
    auto* page = new GoodsMgrPanel(db, mgr, centre);
    page->SetCallback(std::move(callback));
    centre->AddPage(page, GetCaption(), true);
}

bool GoodsMgrPanel::FindGoodsPage(Callback callback, HostManager* mgr)
{
    Notebook* centre = mgr ? mgr->GetCentreBook() : nullptr;
    if(!centre) {
        return false;
    }
    for(size_t i = 0; i < centre->GetPageCount(); ++i) {
        if(centre->GetPageText(i) != GetCaption()) {
            continue;
        }
        centre->SetSelection(i);
        if(auto* page = dynamic_cast<GoodsMgrPanel*>(centre->GetPage(i))) {
            page->SetCallback(std::move(callback));
            page->Query();
        }
        return true;
    }
    return false;
}

void GoodsMgrPanel::ShowCancelGoods(RecordStore* db, HostManager* mgr, int storeId, int symbolId)
{
    const SymbolInventory* row = FinancingGoodsRules::FindVendorRow(db, symbolId, storeId);
    if(!row) {
        ModalMessageBox::Show(_("The vendor of these goods no longer offers them: the financing cannot be "
                                "cancelled here."),
                              _("Cancel Goods"), wxOK | wxICON_WARNING | wxCENTRE);
        return;
    }
    FinancingGoods dialog(db, mgr, FinancingGoodsRules::eCancel, *row, nullptr);
    dialog.ShowModal();
}

void GoodsMgrPanel::Query()
{
    if(m_answered) {
        // Sent when the pause ends, so a callback handed in now still runs.
        m_queryAfterPause = true;
        return;
    }
    Client* client = LoginClient();
    if(m_wait.IsWaiting() || !client) {
        return;
    }
    const int requestId = client->ReqQrySymbolInventory();
    if(requestId >= 0) {
        StartWaitting(requestId);
    }
}

void GoodsMgrPanel::StartWaitting(int requestId)
{
    m_wait.Start(requestId, kWaitMs);
    m_refresh->Disable();
}

void GoodsMgrPanel::OnResponse(int requestId, int errorCode, const wxString& text)
{
    if(!m_wait.End(requestId)) {
        return;
    }
    // The button stays off for a moment after each answer.
    m_answered = true;
    m_timer.StartOnce(kButtonPauseMs);
    if(errorCode != 0) {
        m_timeLine->ChangeValue(MessageLine::Format(wxDateTime::Now(), text, errorCode));
        return;
    }
    m_timeLine->ChangeValue(_("Last Update Time: ") + FormatDateTime(wxDateTime::Now()));
    if(m_callback) {
        // Run outside the answer dispatch; the copy stays valid if the
        // callback replaces the stored one.
        Callback callback = m_callback;
        CallAfter([callback]() { callback(); });
    }
}

void GoodsMgrPanel::OnResponseTimeOut(int requestId)
{
    if(!m_wait.End(requestId)) {
        return;
    }
    m_refresh->Enable();
}

void GoodsMgrPanel::OnTimer(wxTimerEvent&)
{
    m_answered = false;
    m_refresh->Enable();
    if(m_queryAfterPause) {
        m_queryAfterPause = false;
        Query();
    }
}

void GoodsMgrPanel::OnRefresh(wxCommandEvent&)
{
    m_callback = nullptr;
    Query();
}

void GoodsMgrPanel::OnPluginUnplug(wxCommandEvent& event)
{
    event.Skip();
    if(Notebook* centre = m_mgr ? m_mgr->GetCentreBook() : nullptr) {
        const int index = centre->FindPage(this);
        if(index != wxNOT_FOUND) {
            centre->RemovePage(static_cast<size_t>(index));
        }
    }
    // At once: the library goes next.
    delete this;
}
