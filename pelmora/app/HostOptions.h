#ifndef PELMORA_APP_HOSTOPTIONS_H
#define PELMORA_APP_HOSTOPTIONS_H

#include <wx/arrstr.h>
#include <wx/string.h>

// What the command line asks of the host.
struct HostOptions
{
    wxArrayString login; // server, user, password; empty: ask with the dialog
    wxString traceFile;
    wxString screenshotFile;
    long exitAfterSeconds = -1; // negative: run until the user quits

    // "SERVER,USER,PASSWORD": the password is everything after the second
    // comma, so it may hold commas itself. Empty array when malformed.
    static wxArrayString ParseLogin(const wxString& value);
};

#endif // PELMORA_APP_HOSTOPTIONS_H
