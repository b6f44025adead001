#include "VarnelApp.h"

#include "EndProgram.h"
#include "MyDialog.h"
#include "VarnelCommandLine.h"
#include "platform/SignControlRegistry.h"

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/stdpaths.h>

wxIMPLEMENT_APP(VarnelApp);

namespace {
const char kProgId[] = "NetSign.InfoSecNetSign";
const char kClassId[] = "62B938C4-4190-4F37-8CF0-A92B0A91CC77";
const char kControlFile[] = "NetSign.js";
} // namespace

bool VarnelApp::OnInit()
{
    // A hidden tool has nowhere to show log messages, and a log box would
    // wait for a click nobody gives: they are dropped for the whole run.
    delete wxLog::SetActiveTarget(nullptr);
    wxLog::DontCreateOnDemand();
    wxArrayString args;
    for(int i = 0; i < argc; ++i) {
        args.push_back(argv[i]);
    }
    const VarnelCommandLine commandLine = VarnelCommandLine::Parse(args);
    if(commandLine.GetMode() == VarnelCommandLine::Mode::Error) {
        return false;
    }
    if(commandLine.HasParentProcess()) {
        m_parentWatcher = std::make_unique<WatchParentProcess>(
            commandLine.GetParentProcess(), [this](long id) { return m_launcher.ProcessExists(id); },
            [] { EndProgram(); });
    }
    switch(commandLine.GetMode()) {
    case VarnelCommandLine::Mode::Register:
        RegisterSignControl();
        return false;
    case VarnelCommandLine::Mode::Sign:
        m_dialog = new MyDialog();
        m_dialog->SetScript(commandLine.GetScript());
        m_dialog->Show();
        return true;
    default:
        return false;
    }
}

// The control is copied into the per-user registry from beside the program;
// an existing registration is left alone.
void VarnelApp::RegisterSignControl()
{
    SignControlRegistry registry;
    if(registry.CanCreate(kProgId)) {
        return;
    }
    const wxString folder = wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
    registry.Register(kProgId, kClassId, folder + wxFILE_SEP_PATH + kControlFile);
}
