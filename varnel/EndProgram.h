#pragma once

#include <wx/string.h>

// Writes the text to standard output in the system's narrow encoding (UTF-8
// when that cannot hold it), without a line end, and flushes.
void PrintToStdout(const wxString& text);

// Ends the process at once with exit code -1 (255 to the shell) after
// printing the text, from any thread: static destructors do not run under
// the GUI thread's feet.
[[noreturn]] void EndProgram(const wxString& output = wxString());
