#pragma once

#include "platform/SignControlRegistry.h"

class wxWebView;

// Makes registered signing controls creatable inside a web view's pages: at
// document end each <object> whose classid is "clsid:" + a registered class
// id (any case, braces allowed) gets that control's members. Unregistered
// class ids leave their elements inert. Controls registered after Attach
// reach views attached later.
class SignControlHost
{
public:
    // Call before the view loads the page. Returns how many controls it got.
    static size_t Attach(wxWebView& view, const SignControlRegistry& registry = SignControlRegistry());

    // The user script that installs one control.
    static wxString BuildScript(const SignControlRegistry::Control& control);
};
