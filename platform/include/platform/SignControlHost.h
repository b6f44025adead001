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
    // Every page of the view gets them: for a view that shows only pages of
    // the program's own.
    static size_t Attach(wxWebView& view, const SignControlRegistry& registry = SignControlRegistry());
    // As Attach, but only pages whose origin (WebAddress::Origin) is that of
    // `ownAddress` get the controls; an address that is no web address gives
    // them to no page.
    static size_t AttachForAddress(wxWebView& view, const wxString& ownAddress,
                                   const SignControlRegistry& registry = SignControlRegistry());

    // The user script that installs one control, in pages of that origin
    // only when one is given.
    static wxString BuildScript(const SignControlRegistry::Control& control,
                                const wxString& origin = wxString());
};
