#include "frame/StatusFields.h"

#include "common/Colours.h"
#include "common/SettingsAccessors.h"

#include <iterator>
#include <pelmora/DrawingUtils.h>
#include <pelmora/HostManager.h>
#include <pelmora/pmColourButton.h>
#include <pelmora/pmStatusBar.h>
#include <utility>
#include <vector>
#include <wx/dcmemory.h>
#include <wx/font.h>
#include <wx/imaglist.h>
#include <wx/intl.h>
#include <wx/settings.h>
#include <wx/statbmp.h>

int g_blinkPhase = 1;

namespace {
constexpr int kStatusFieldCount = 7;
// The connection icons: from the field's edge, and between two.
constexpr int kIconInset = 2;
constexpr int kIconGap = 5;

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
    {56, 5, 2, 5, 0, false}, // 5 the connection icons: two of 16 pixels, 5 apart
    {100, 5, 2, 5, 0, true}, // 6 the server date and time
};
} // namespace

wxColour StatusFields::ToColour(StatusColour colour)
{
    static_assert(std::size(Colours::kStatusLineColours) == static_cast<std::size_t>(StatusColour::Count));
    const auto entry = static_cast<std::size_t>(colour);
    return Colours::kStatusLineColours[entry < static_cast<std::size_t>(StatusColour::Count) ? entry : 0];
}

StatusFields::StatusFields(HostManager* manager, std::function<const wxImageList*()> images)
    : m_mgr(manager), m_images(std::move(images))
{}

StatusFields::~StatusFields() = default;

void StatusFields::Create()
{
    m_statusBar = m_mgr ? m_mgr->GetHostStatusBar() : nullptr;
    if(!m_statusBar) {
        return;
    }
    m_items.assign(kStatusFieldCount, nullptr);

    auto* button =
        new pmColourButton(m_statusBar, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0);
    button->SetBackgroundColour(Colours::kQuickOrderButton);
    button->SetForegroundColour(Colours::kQuickOrderButtonText);
    button->SetToolTip(_("Show quick order dialog"));
    button->Bind(wxEVT_BUTTON, &StatusFields::OnQuickOrderButton, this);
    m_items[0] = m_statusBar->AppendItem(3, button, 1, 1, 2, 0);

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
            m_items[0]->fitWindow = true;
        }
        m_items[field] = m_statusBar->AppendItem(layout.width, window, layout.marginLeft, layout.marginTop,
                                                 layout.marginRight, layout.marginBottom);
        m_items[field]->fitWindow = layout.fitsText;
    }
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    font.SetWeight(wxFONTWEIGHT_NORMAL);
    m_items[6]->window->SetFont(font);
    m_statusBar->Relayout();
}

void StatusFields::OnQuickOrderButton(wxCommandEvent& event)
{
    wxUnusedVar(event);
    // The setting's broadcast makes the quick-order panel follow.
    SetShowTranscationPanel(!IsShowTranscationPanel());
}

void StatusFields::SetFieldColour(int field, const wxColour& colour)
{
    if(field < 0 || static_cast<size_t>(field) >= m_items.size() || !m_items[field] ||
       !m_items[field]->window) {
        return;
    }
    wxWindow* window = m_items[field]->window;
    // Each new colour restyles the label: the rotating line gives its
    // colour every five seconds.
    if(window->GetForegroundColour() != colour) {
        window->SetForegroundColour(colour);
        window->Refresh();
    }
}

void StatusFields::Release()
{
    // The fields stay in the host's bar; they must no longer reach this object.
    if(!m_items.empty() && m_items[0] && m_items[0]->window) {
        m_items[0]->window->Unbind(wxEVT_BUTTON, &StatusFields::OnQuickOrderButton, this);
    }
    m_items.clear();
    m_statusBar = nullptr;
}

void StatusFields::SetField(int field, const wxString& text)
{
    if(field < 1 || field >= kStatusFieldCount || !m_statusBar ||
       static_cast<size_t>(field) >= m_items.size() || !m_items[field]) {
        return;
    }
    pmStatusBarItem* item = m_items[field];
    switch(field) {
    case 1:
        ShowText(*item, wxString::Format(_("Account [%s]"), text));
        break;
    case 3:
        ShowText(*item, wxString::Format(_("Trading Day [%s]"), text));
        break;
    case 5: {
        wxStaticBitmap* icons = dynamic_cast<wxStaticBitmap*>(item->window);
        wxSize size = icons ? icons->GetSize() : wxSize();
        if(size.x <= 0 || size.y <= 0) {
            break;
        }
        // Lines 0 and 1 are the account and the user; then "address|state"
        // of each connection.
        std::vector<std::pair<wxString, long>> connections;
        const wxArrayString lines = wxSplit(text, '\n', '\\');
        for(size_t i = 2; i < lines.size(); ++i) {
            const wxArrayString parts = wxSplit(lines[i], '|', '\\');
            long state = 0;
            if(parts.size() == 2 && parts[1].ToLong(&state, 10)) {
                connections.emplace_back(parts[0], state);
            }
        }
        // Every icon whole: the field grows to them.
        const wxSize wanted = IconsSize(connections.size());
        const bool grow = wanted.x > size.x;
        size.x = std::max(size.x, wanted.x);
        wxBitmap bitmap(size);
        wxMemoryDC dc(bitmap);
        wxRect rect(size);
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(DrawingUtils::GetPanelBgColour()));
        dc.DrawRectangle(rect);
        rect.Deflate(kIconInset);
        wxPoint position = rect.GetTopLeft();
        for(const auto& [address, state] : connections) {
            DrawStatusIcon(dc, address, state, position);
        }
        dc.SelectObject(wxNullBitmap);
        icons->SetBitmap(bitmap);
        if(grow) {
            // Drawn again at the field's new size.
            item->fitWindow = true;
            m_statusBar->Relayout();
            SetField(field, text);
        }
        break;
    }
    default:
        ShowText(*item, text);
        break;
    }
}

void StatusFields::ShowText(const pmStatusBarItem& item, const wxString& text)
{
    // The clock is told its time twice a second and shows whole seconds.
    if(m_statusBar->GetStatusText(item.field) != text) {
        m_statusBar->SetStatusText(text, item.field);
    }
}

wxSize StatusFields::IconsSize(size_t count) const
{
    const wxImageList* images = m_images ? m_images() : nullptr;
    int width = 0;
    int height = 0;
    if(images && images->GetImageCount() > 0) {
        images->GetSize(0, width, height);
    }
    const int icons = static_cast<int>(count);
    return wxSize(2 * kIconInset + icons * (width + kIconGap) - (icons > 0 ? kIconGap : 0),
                  2 * kIconInset + height);
}

void StatusFields::ShowLoggedOut()
{
    if(!m_statusBar) {
        return;
    }
    for(int field : {1, 2, 3, 4, 6}) {
        if(static_cast<size_t>(field) < m_items.size() && m_items[field]) {
            m_statusBar->SetStatusText(field == 2 ? _("Not logged in") : wxString(), m_items[field]->field);
        }
    }
    SetFieldColour(2, wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    // Both connections, trade and market data, in state 0.
    SetField(5, "\n\n|0\n|0");
}

void StatusFields::DrawStatusIcon(wxDC& dc, const wxString& text, long state, wxPoint& position) const
{
    wxUnusedVar(text);
    int image = 0; // not logged in
    if(state == 3) {
        image = 1; // logged in
    } else if(state == 2 || state == 4) {
        image = 2; // failed
    }
    const wxImageList* images = m_images ? m_images() : nullptr;
    if(images && image < images->GetImageCount()) {
        const wxBitmap icon = images->GetBitmap(image);
        dc.DrawBitmap(icon, position, false);
        position.x += icon.GetWidth() + kIconGap;
    } else {
        position.x += kIconGap;
    }
}
