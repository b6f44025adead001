// Test main for GUI tests: a real wx application on the (Xvfb) display.
#include "WxTestSupport.h"

#include <wx/app.h>
#include <wx/init.h>

#include <cstdlib>

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
    InstallWxTestHandlers();
    const int rc = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return rc;
}
