#pragma once

// Types into a spin control as the trader does: the field's text replaced
// (one text event, as a keystroke gives), then the field left, where the
// toolkit reads the text and stores the value (and clamps it to the
// control's range, as it does for a trader).
#include <wx/spinctrl.h>

extern "C" {
typedef struct _GtkEntry GtkEntry;
typedef struct _GtkSpinButton GtkSpinButton;
void gtk_entry_set_text(GtkEntry* entry, const char* text);
void gtk_spin_button_update(GtkSpinButton* spinButton);
}

inline void TypeIntoSpin(wxSpinCtrlBase* spin, const wxString& text)
{
    gtk_entry_set_text(reinterpret_cast<GtkEntry*>(spin->GetHandle()), text.utf8_str());
    gtk_spin_button_update(reinterpret_cast<GtkSpinButton*>(spin->GetHandle()));
}
