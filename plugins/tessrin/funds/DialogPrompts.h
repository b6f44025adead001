#pragma once

#include <functional>
#include <wx/string.h>

// The questions and message boxes the account dialogs put to the trader, in
// one place so that tests can answer them. By default modal boxes without
// parent, centred.
struct DialogPrompts
{
    // Yes/No; true for any answer but No.
    using Question = std::function<bool(const wxString& question, const wxString& caption)>;
    // A box with an OK button.
    using Box = std::function<void(const wxString& message, const wxString& caption)>;

    Question ask;
    Box box;

    static DialogPrompts Native();
};
