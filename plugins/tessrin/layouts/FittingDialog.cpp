#include "layouts/FittingDialog.h"

#include <algorithm>
#include <wx/anybutton.h>
#include <wx/display.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

FittingDialog::FittingDialog(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                             const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    // The host sends idle events only to the windows that ask for them.
    SetExtraStyle(GetExtraStyle() | wxWS_EX_PROCESS_IDLE);
    Bind(wxEVT_IDLE, &FittingDialog::OnIdle, this);
}

bool FittingDialog::Show(bool show)
{
    const bool changed = wxDialog::Show(show);
    if(show) {
        Remeasure(*this, true);
        m_laidOutMinimum = wxSize();
        if(FitToContents()) {
            Centre(wxBOTH);
        }
    }
    return changed;
}

bool FittingDialog::Remeasure(wxWindow& parent, bool all)
{
    bool remeasured = false;
    for(wxWindow* child : parent.GetChildren()) {
        if(child->IsTopLevel()) {
            continue;
        }
        const wxString label = child->GetLabel();
        const auto [known, added] = m_labels.emplace(child, label);
        // A text field is left as first measured: measured again it asks
        // for more height than its text needs.
        auto* field = dynamic_cast<wxTextCtrl*>(child);
        if((all && !field) || (!added && known->second != label)) {
            known->second = label;
            child->InvalidateBestSize();
            remeasured = true;
        }
        // Cheap: the toolkit keeps a button's size request until its style
        // changes, and a button's measure does not touch its layout.
        if(dynamic_cast<wxAnyButton*>(child) && child->IsShown()) {
            child->InvalidateBestSize();
            wxSize& measured = m_buttonSizes[child];
            const wxSize best = child->GetBestSize();
            if(best != measured) {
                measured = best;
                remeasured = true;
            }
        }
        // A text field's best size knows nothing of its hint: its minimum does.
        if(all && field && !field->GetHint().empty()) {
            const wxSize minimum = field->GetMinSize();
            const int wanted = field->GetSizeFromTextSize(field->GetTextExtent(field->GetHint()).x).x;
            if(wanted > minimum.x) {
                field->SetMinSize(wxSize(wanted, minimum.y));
            }
        }
        remeasured = Remeasure(*child, all) || remeasured;
    }
    return remeasured;
}

bool FittingDialog::FitToContents()
{
    wxSizer* sizer = GetSizer();
    if(!sizer || !IsShown()) {
        return false;
    }
    const wxSize minimum = sizer->CalcMin();
    if(minimum == m_laidOutMinimum) {
        return false;
    }
    m_laidOutMinimum = minimum;
    // At most the display's work area: beyond it nothing could be read.
    const wxSize wanted = sizer->ComputeFittingWindowSize(this);
    const wxSize now = GetSize();
    const wxSize grown(std::max(now.x, wanted.x), std::max(now.y, wanted.y));
    const bool grows = grown != now;
    if(grows) {
        SetSize(grown);
        const int display = wxDisplay::GetFromWindow(this);
        const wxRect area =
            wxDisplay(display == wxNOT_FOUND ? 0 : static_cast<unsigned>(display)).GetClientArea();
        wxRect rect = GetRect();
        rect.x = std::max(area.x, std::min(rect.x, area.GetRight() + 1 - rect.width));
        rect.y = std::max(area.y, std::min(rect.y, area.GetBottom() + 1 - rect.height));
        Move(rect.GetPosition());
    }
    Layout();
    return grows;
}

void FittingDialog::OnIdle(wxIdleEvent& event)
{
    event.Skip();
    if(IsShown()) {
        // A control measured anew is laid out anew, whatever the whole needs.
        if(Remeasure(*this, false)) {
            m_laidOutMinimum = wxSize();
        }
        FitToContents();
    }
}
