#pragma once

// Shared by the test mains: a wx assertion fails the running test instead of
// opening a modal dialog that would hang a headless run.
#include <gtest/gtest.h>
#include <wx/debug.h>
#include <wx/log.h>

#include <cstdio>

inline void FailOnWxAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                           const wxString& msg)
{
    std::fprintf(stderr, "wx assertion %s:%d %s: %s %s\n", static_cast<const char*>(file.utf8_str()), line,
                 static_cast<const char*>(func.utf8_str()), static_cast<const char*>(cond.utf8_str()),
                 static_cast<const char*>(msg.utf8_str()));
    ADD_FAILURE() << "wx assertion failed: " << cond.utf8_string() << " " << msg.utf8_string();
}

// Assertions fail the test; log messages go to stderr rather than a dialog.
inline void InstallWxTestHandlers()
{
    wxSetAssertHandler(FailOnWxAssert);
    delete wxLog::SetActiveTarget(new wxLogStderr);
}
