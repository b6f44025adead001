#include "EndProgram.h"

#include <cstdio>
#include <unistd.h>

void PrintToStdout(const wxString& text)
{
    wxCharBuffer narrow = text.mb_str(wxConvLibc);
    if(narrow.length() == 0 && !text.empty()) {
        narrow = text.utf8_str();
    }
    std::fwrite(narrow.data(), 1, narrow.length(), stdout);
    std::fflush(stdout);
}

void EndProgram(const wxString& output)
{
    PrintToStdout(output);
    _exit(-1);
}
