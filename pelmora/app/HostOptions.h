#ifndef PELMORA_APP_HOSTOPTIONS_H
#define PELMORA_APP_HOSTOPTIONS_H

#include <vector>
#include <wx/arrstr.h>
#include <wx/string.h>

// What the command line asks of the host.
struct HostOptions
{
    wxArrayString login; // server, user, password; empty: ask with the dialog
    wxString traceFile;
    wxArrayString traceMasks; // wx trace masks whose messages go to the trace file
    wxString screenshotFile;
    long exitAfterSeconds = -1; // negative: run until the user quits

    // A menu command sent to the main frame at a time after start.
    struct TimedCommand
    {
        wxString name; // the XRC name of the menu id
        long seconds = 0;
    };
    std::vector<TimedCommand> commands;

    // "SERVER,USER,PASSWORD": the password is everything after the second
    // comma, so it may hold commas itself. Empty array when malformed.
    static wxArrayString ParseLogin(const wxString& value);
    // "NAME@SECONDS": a non-empty name without blanks, then a whole number of
    // seconds, 0 or more. False when malformed.
    static bool ParseCommand(const wxString& value, TimedCommand& command);
};

#endif // PELMORA_APP_HOSTOPTIONS_H
