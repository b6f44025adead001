#include "common/ModalMessageBox.h"

#include <algorithm>
#include <wx/display.h>
#include <wx/msgdlg.h> // also declares wxGenericMessageDialog
#include <wx/stattext.h>

namespace {

// wx's generic box sets each line of its text as it is and never wraps it: a
// long reason (a refused surety, a server's explanation) ran past the screen's
// edge and was cut. Its lines are wrapped before the box takes its size.
class WrappingMessageDialog : public wxGenericMessageDialog
{
public:
    using wxGenericMessageDialog::wxGenericMessageDialog;

protected:
    void AddMessageDialogDetails(wxSizer* sizer) override
    {
        static constexpr int kWidestLine = 560;
        const int screen = wxDisplay(static_cast<const wxWindow*>(this)).GetClientArea().GetWidth();
        const int widest = std::min(FromDIP(kWidestLine), screen * 2 / 3);
        for(wxWindow* child : GetChildren()) {
            if(auto* text = dynamic_cast<wxStaticText*>(child)) {
                text->Wrap(widest);
            }
        }
        wxGenericMessageDialog::AddMessageDialogDetails(sizer);
    }
};

} // namespace

int ModalMessageBox::Show(const wxString& message, const wxString& caption, long style, wxWindow* parent)
{
    WrappingMessageDialog dialog(parent, message, caption, style | wxCENTRE);
    switch(dialog.ShowModal()) {
    case wxID_YES:
        return wxYES;
    case wxID_NO:
        return wxNO;
    case wxID_OK:
        return wxOK;
    default:
        return wxCANCEL;
    }
}
