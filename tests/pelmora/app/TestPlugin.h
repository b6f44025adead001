#ifndef PELMORA_TESTS_TESTPLUGIN_H
#define PELMORA_TESTS_TESTPLUGIN_H

#include <wx/arrstr.h>

// What the test plug-in records about the host's calls, read by the tests
// through the exported TestPluginRecord() while the library is loaded.
struct TestPluginRecord
{
    int createCalls = 0;   // CreatePlugin calls
    int startups = 0;      // plug-in objects made
    int toolBarBuilds = 0; // BuildToolBar calls
    int menuBuilds = 0;
    int unplugs = 0;
    int destructions = 0;
    int serverQueries = 0;
    wxArrayString lastLogin; // server, user, password
    int logouts = 0;
    wxArrayString noticeClicks; // client data texts of 11113
};

extern "C" {
typedef TestPluginRecord* (*TestPluginRecordFunc)();
}

#endif // PELMORA_TESTS_TESTPLUGIN_H
