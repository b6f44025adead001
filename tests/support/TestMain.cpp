// Test main for headless tests.
#include "WxTestSupport.h"

#include <wx/init.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    wxInitializer wx;
    if(!wx.IsOk()) {
        std::fprintf(stderr, "wxWidgets failed to initialise\n");
        return 1;
    }
    InstallWxTestHandlers();
    return RUN_ALL_TESTS();
}
