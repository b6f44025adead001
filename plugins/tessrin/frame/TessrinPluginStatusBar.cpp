// The plug-in's fields in the host's status bar.
#include "common/SettingsAccessors.h"
#include "frame/TessrinPlugin.h"

#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <pelmora/pmColourButton.h>
#include <pelmora/pmStatusBar.h>
#include <wx/aui/aui.h>
#include <wx/font.h>
#include <wx/frame.h>
#include <wx/intl.h>
#include <wx/settings.h>
#include <wx/statbmp.h>

namespace {
constexpr int kStatusFieldCount = 7;

// One field: the width (negative: a share of the free space; at least
// this wide when it fits its text), the margins and whether it widens to
// its text.
struct FieldLayout
{
    int width;
    int marginLeft;
    int marginTop;
    int marginRight;
    int marginBottom;
    bool fitsText;
};
// Fields 1 to 6; field 0 holds the quick-order button. The rotating line
// takes what the others leave.
const FieldLayout kTextFields[] = {
    {100, 5, 2, 5, 0, true}, // 1 "Account [%s]"
    {-1, 5, 2, 5, 0, false}, // 2 the rotating account line
    {100, 5, 2, 5, 0, true}, // 3 "Trading Day [%s]"
    {50, 5, 2, 5, 0, true},  // 4 the server
    {40, 5, 2, 5, 0, false}, // 5 the connection icons
    {100, 5, 2, 5, 0, true}, // 6 the server date and time
};
} // namespace

void TessrinPlugin::ShowQuickOrderButton()
{
    m_statusBar = m_mgr ? m_mgr->GetHostStatusBar() : nullptr;
    if(!m_statusBar) {
        return;
    }
    m_statusItems.assign(kStatusFieldCount, nullptr);

    auto* button =
        new pmColourButton(m_statusBar, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0);
    button->SetBackgroundColour(wxColour(255, 147, 255));
    button->SetForegroundColour(wxColour(255, 0, 255));
    button->SetToolTip(_("Show quick order dialog"));
    button->Bind(wxEVT_BUTTON, &TessrinPlugin::OnQuickOrderButton, this);
    m_statusItems[0] = m_statusBar->AppendItem(3, button, 1, 1, 2, 0);

    for(int field = 1; field < kStatusFieldCount; ++field) {
        const FieldLayout& layout = kTextFields[field - 1];
        wxWindow* window = nullptr;
        if(field == 5) {
            window = new wxStaticBitmap(m_statusBar, wxID_ANY, wxNullBitmap, wxDefaultPosition, wxDefaultSize,
                                        wxBORDER_NONE);
        }
        if(field == 6) {
            // The button's field grows to the button; set before the last
            // field is added, whose layout applies it.
            m_statusItems[0]->fitWindow = true;
        }
        m_statusItems[field] =
            m_statusBar->AppendItem(layout.width, window, layout.marginLeft, layout.marginTop,
                                    layout.marginRight, layout.marginBottom);
        m_statusItems[field]->fitWindow = layout.fitsText;
    }
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    font.SetWeight(wxFONTWEIGHT_NORMAL);
    m_statusItems[6]->window->SetFont(font);
    m_statusBar->Relayout();
}

void TessrinPlugin::OnQuickOrderButton(wxCommandEvent& event)
{
    wxUnusedVar(event);
    // The setting's broadcast makes the quick-order panel follow.
    SetShowTranscationPanel(!IsShowTranscationPanel());
}

void TessrinPlugin::SetStatusFieldColour(int field, const wxColour& colour)
{
    if(field < 0 || static_cast<size_t>(field) >= m_statusItems.size() || !m_statusItems[field] ||
       !m_statusItems[field]->window) {
        return;
    }
    wxWindow* window = m_statusItems[field]->window;
    window->SetForegroundColour(colour);
    window->Refresh();
}

void TessrinPlugin::ReleaseStatusBar()
{
    // The fields stay in the host's bar; they must no longer reach this object.
    if(!m_statusItems.empty() && m_statusItems[0] && m_statusItems[0]->window) {
        m_statusItems[0]->window->Unbind(wxEVT_BUTTON, &TessrinPlugin::OnQuickOrderButton, this);
    }
    m_statusItems.clear();
    m_statusBar = nullptr;
}
