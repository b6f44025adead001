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
