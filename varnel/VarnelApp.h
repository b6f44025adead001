#pragma once

#include "WatchParentProcess.h"
#include "platform/SystemProcessLauncher.h"

#include <memory>
#include <wx/app.h>

class MyDialog;

// The signing tool: registers the signing control ("-p Regist") or runs a
// signing script in a hidden page ("-p <script>"), ending with the process
// given by "-n" when that ends first.
class VarnelApp : public wxApp
{
public:
    bool OnInit() override;
    int OnExit() override { return 0; }

private:
    void RegisterSignControl();

    SystemProcessLauncher m_launcher; // asked from the watcher's thread
    std::unique_ptr<WatchParentProcess> m_parentWatcher;
    MyDialog* m_dialog = nullptr;
};

wxDECLARE_APP(VarnelApp);
