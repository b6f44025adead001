#include "funds/PayPortRegistDlg.h"

#include "frame/TessrinPlugin.h"
#include "funds/SignControlRegistrar.h"

#include <platform/SignControlRegistry.h>
#include <platform/SystemProcessLauncher.h>

bool IsSignControlInstalled()
{
    return SignControlRegistry().CanCreate("NetSign.InfoSecNetSign");
}

void PayPortRegistDlg::RegistSignControl(wxWindow* parent)
{
    if(g_plugin) {
        SignControlRegistrar(g_plugin->GetProcessLauncher()).Run(parent);
        return;
    }
    SystemProcessLauncher launcher;
    SignControlRegistrar(launcher).Run(parent);
}
