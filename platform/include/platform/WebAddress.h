#pragma once

#include <wx/string.h>

// Checks on addresses before they reach a browser or a web view.
class WebAddress
{
public:
    // An http or https address with a host and no blanks or control
    // characters: the only kind handed to a browser or loaded from outside.
    static bool IsWeb(const wxString& url);
    // about:blank, also with a query or fragment.
    static bool IsBlank(const wxString& url);
    // Both name the same page, whatever the escaping, letter case of scheme
    // and host, default port or empty path ("http://h" and "http://H:80/").
    static bool IsSame(const wxString& first, const wxString& second);
    // "scheme://host[:port]" of a web address as a page's location.origin
    // gives it (scheme and host in lower case, no default port); empty for
    // any other address.
    static wxString Origin(const wxString& url);
    // The file: address of a full path, escaped as the web engine reports it.
    static wxString FromFilePath(const wxString& path);
};
