#include "funds/SignControlRegistrar.h"

#include "common/ModalMessageBox.h"
#include "common/PluginEvents.h"
#include "funds/LabelDialog.h"
#include "funds/PayPortRegistDlg.h"
#include "funds/SignControlTickRule.h"

#include <pelmora/pmStandardPaths.h>
#include <wx/app.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/timer.h>

SignControlRegistrar::SignControlRegistrar(ProcessLauncher& launcher)
    : m_launcher(launcher), m_installed(&IsSignControlInstalled),
      m_notice([](wxWindow* parent, const wxString& text) {
          ModalMessageBox::Show(text, wxMessageBoxCaptionStr, wxOK | wxCENTRE, parent);
      })
{}

void SignControlRegistrar::Run(wxWindow* parent)
{
    StartTool();
    Wait(parent);
}

wxString SignControlRegistrar::ToolPath()
{
    return pmStandardPaths::Get().GetBinFolder() + "/Varnel";
}

ProcessLauncher::Result SignControlRegistrar::StartTool()
{
    // By full path: a bare name would run whatever a search finds first.
    const wxString tool = ToolPath();
    const ProcessLauncher::Result result = m_launcher.Start(
        "runas", tool, {"/n", wxString::Format("%ld", m_launcher.OwnProcessId()), "/p", "Regist"});
    if(!result.Started()) {
        wxLogWarning("The signing tool \"%s\" did not start (%d): the signing control stays unregistered.",
                     tool, result.code);
    }
    return result;
}

void SignControlRegistrar::Wait(wxWindow* parent)
{
    const wxString caption = _("Please Wait ...");
    LabelDialog dialog(parent, caption, _("Regist Varnel"));
    wxTimer timer(&dialog, kTimerId);
    SignControlTickRule rule;
    dialog.Bind(
        wxEVT_TIMER,
        [&](wxTimerEvent&) {
            switch(rule.Tick(m_installed())) {
            case SignControlTickRule::Step::eFound:
                timer.Stop();
                break;
            case SignControlTickRule::Step::eCount:
                dialog.SetLabel(caption + wxString::Format(" %d", rule.GetCount()));
                return;
            case SignControlTickRule::Step::eFailed:
                timer.Stop();
                m_notice(&dialog, _("Regist Varnel Failed! Please Regist Use IE"));
                break;
            }
            if(dialog.IsModal()) {
                dialog.EndModal(wxID_OK);
            }
        },
        kTimerId);
    // At unload the wait ends at once.
    auto onUnplug = [&](wxCommandEvent& event) {
        event.Skip();
        timer.Stop();
        if(dialog.IsModal()) {
            dialog.EndModal(wxID_CANCEL);
        }
    };
    wxTheApp->Bind(wxEVT_PLUGIN_UNPLUG, onUnplug);
    timer.Start(m_intervalMs);
    dialog.ShowModal();
    timer.Stop();
    wxTheApp->Unbind(wxEVT_PLUGIN_UNPLUG, onUnplug);
}
