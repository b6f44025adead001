#pragma once

#include "layouts/PayPortRegistDlgBase.h"

class wxWindow;

// The bank's signing control ("NetSign.InfoSecNetSign") can be created.
bool IsSignControlInstalled();

// The modal dialog that registers a trading account on a bank pay port, or
// cancels the registration.
class PayPortRegistDlg : public PayPortRegistDlgBase
{
public:
    // Starts the signing tool and waits, at most about eleven seconds, in a
    // modal wait window over `parent` until the control can be created.
    // Reports nothing: callers test the control again.
    static void RegistSignControl(wxWindow* parent);
};
