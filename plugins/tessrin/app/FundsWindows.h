#pragma once

#include "frame/IFundsWindows.h"

class TessrinPlugin;

// The money windows the plug-in object opens: new bank pages of pay ports
// and money movements in the centre notebook (or a browser), and the modal
// prompt to change the login password.
class FundsWindows : public IFundsWindows
{
public:
    explicit FundsWindows(TessrinPlugin& plugin);

    // A new "PayPort" page in the centre notebook loading the attachment's
    // bank page; nothing for an empty address or an unknown pay port.
    void ShowPayPortPage(const user_AttPay& row) override;
    // Nothing without its address, account or login; in a browser when
    // "ShowInoutInBrower" or the setting "ShowInOutUrlInBrower" is on; else
    // a new selected centre page "InOut".
    void ShowInOutPage(const am_AmountInOut& row) override;
    void ShowPasswordPrompt(wxWindow* parent, const user_LoginInfo* login) override;
    // The "PayPort" and "InOut" pages and the sales report page.
    void CloseAccountPages() override;

private:
    TessrinPlugin& m_plugin;
};
