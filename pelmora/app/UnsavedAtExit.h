#ifndef PELMORA_APP_UNSAVEDATEXIT_H
#define PELMORA_APP_UNSAVEDATEXIT_H

#include <wx/arrstr.h>
#include <wx/string.h>

// What the exit could not save (the window layout, the store orders), kept
// for the next start: the window that could have said so is closing. Kept in
// the user's folder, or, when that refuses it too, in the temporary folder
// under a name of that user's folder. A full disk may refuse both.
class UnsavedAtExit
{
public:
    explicit UnsavedAtExit(const wxString& userDataDir);

    // False when no place took the texts.
    bool Keep(const wxArrayString& texts) const;
    // What an earlier exit kept, once: the files go as they are read.
    wxArrayString Take() const;

private:
    wxArrayString Places() const;

    wxString m_userDataDir;
};

#endif // PELMORA_APP_UNSAVEDATEXIT_H
