// Test main for GUI tests: a real wx application on the (Xvfb) display, and
// wx assertions that fail the test instead of opening a modal dialog.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdio>
#include <cstdlib>

namespace {
void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg)
{
    std::fprintf(stderr, "wx assertion %s:%d %s: %s %s\n", static_cast<const char*>(file.utf8_str()), line,
                 static_cast<const char*>(func.utf8_str()), static_cast<const char*>(cond.utf8_str()),
                 static_cast<const char*>(msg.utf8_str()));
    ADD_FAILURE() << "wx assertion failed: " << cond.utf8_string() << " " << msg.utf8_string();
}
} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    setenv("GDK_BACKEND", "x11", 1);
    setenv("GDK_GL", "disable", 0);
    wxApp::SetInstance(new wxApp); // wx owns the application object
    if(!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "wxWidgets GUI failed to initialise (no display?)\n");
        return 1;
    }
    wxSetAssertHandler(FailOnAssert);
    wxLog::SetActiveTarget(new wxLogStderr);
    const int rc = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return rc;
}
