// Test main for headless tests: a wx assertion fails the test instead of
// opening a dialog that would hang the run.
#include <gtest/gtest.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdio>

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
    wxInitializer wx;
    if(!wx.IsOk()) {
        std::fprintf(stderr, "wxWidgets failed to initialise\n");
        return 1;
    }
    wxSetAssertHandler(FailOnAssert);
    wxLog::SetActiveTarget(new wxLogStderr); // wx owns the log target
    return RUN_ALL_TESTS();
}
