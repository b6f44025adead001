#include "funds/DialogPrompts.h"

#include "common/ModalMessageBox.h"

DialogPrompts DialogPrompts::Native()
{
    DialogPrompts prompts;
    prompts.ask = [](const wxString& question, const wxString& caption) {
        return ModalMessageBox::Show(question, caption, wxYES_NO | wxCENTRE) != wxNO;
    };
    prompts.box = [](const wxString& message, const wxString& caption) {
        ModalMessageBox::Show(message, caption, wxOK | wxCENTRE);
    };
    return prompts;
}
