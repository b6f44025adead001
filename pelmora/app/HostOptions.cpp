#include "HostOptions.h"

wxArrayString HostOptions::ParseLogin(const wxString& value)
{
    wxArrayString parts;
    const int first = value.Find(',');
    if(first == wxNOT_FOUND) {
        return parts;
    }
    const wxString rest = value.Mid(static_cast<size_t>(first) + 1);
    const int second = rest.Find(',');
    if(second == wxNOT_FOUND) {
        return parts;
    }
    const wxString server = value.Left(static_cast<size_t>(first));
    const wxString user = rest.Left(static_cast<size_t>(second));
    if(server.empty() || user.empty()) {
        return parts;
    }
    parts.Add(server);
    parts.Add(user);
    parts.Add(rest.Mid(static_cast<size_t>(second) + 1));
    return parts;
}

bool HostOptions::ParseCommand(const wxString& value, TimedCommand& command)
{
    const int at = value.Find('@', true);
    if(at == wxNOT_FOUND) {
        return false;
    }
    const wxString name = value.Left(static_cast<size_t>(at));
    const wxString time = value.Mid(static_cast<size_t>(at) + 1);
    if(name.empty() || name.find_first_of(" \t@") != wxString::npos || time.empty() || !time.IsNumber() ||
       time.Contains("-") || time.Contains("+")) {
        return false;
    }
    long seconds = 0;
    // Beyond a day the int milliseconds of a timer are near their end.
    if(!time.ToLong(&seconds) || seconds < 0 || seconds > 86400) {
        return false;
    }
    command.name = name;
    command.seconds = seconds;
    return true;
}
