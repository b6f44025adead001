#include "common/ModalMessageBox.h"

#include <wx/msgdlg.h> // also declares wxGenericMessageDialog

int ModalMessageBox::Show(const wxString& message, const wxString& caption, long style, wxWindow* parent)
{
    wxGenericMessageDialog dialog(parent, message, caption, style | wxCENTRE);
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
