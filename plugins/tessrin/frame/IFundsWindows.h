#pragma once

struct am_AmountInOut;
struct user_AttPay;
struct user_LoginInfo;
class wxWindow;

// The money windows the plug-in object opens: the bank pages of pay ports
// and money movements, and the prompt to change the login password. The
// composition root makes the one implementation.
class IFundsWindows
{
public:
    virtual ~IFundsWindows() = default;

    virtual void ShowPayPortPage(const user_AttPay& row) = 0;
    virtual void ShowInOutPage(const am_AmountInOut& row) = 0;
    // Modal, over `parent`.
    virtual void ShowPasswordPrompt(wxWindow* parent, const user_LoginInfo* login) = 0;
    // At the end of a login: the centre pages that show its accounts (bank
    // pages, the sales report) close.
    virtual void CloseAccountPages() = 0;
};
