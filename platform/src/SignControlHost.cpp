#include "platform/SignControlHost.h"

#include "platform/WebAddress.h"
#include "platform/WebPage.h"

#include <wx/log.h>
#include <wx/webview.h>

namespace {
size_t AttachAll(wxWebView& view, const wxString& origin, const SignControlRegistry& registry)
{
    size_t attached = 0;
    for(const SignControlRegistry::Control& control : registry.LoadAll()) {
        if(view.AddUserScript(SignControlHost::BuildScript(control, origin),
                              wxWEBVIEW_INJECT_AT_DOCUMENT_END)) {
            ++attached;
        } else {
            wxLogWarning("Web view refused the signing control \"%s\"", control.progId);
        }
    }
    return attached;
}
} // namespace

size_t SignControlHost::Attach(wxWebView& view, const SignControlRegistry& registry)
{
    return AttachAll(view, wxString(), registry);
}

size_t SignControlHost::AttachForAddress(wxWebView& view, const wxString& ownAddress,
                                         const SignControlRegistry& registry)
{
    const wxString origin = WebAddress::Origin(ownAddress);
    if(origin.empty()) {
        return 0;
    }
    return AttachAll(view, origin, registry);
}

wxString SignControlHost::BuildScript(const SignControlRegistry::Control& control, const wxString& origin)
{
    // A page may redefine much, but not its own location: the test holds in
    // every frame the view loads.
    const wxString guard =
        origin.empty()
            ? wxString()
            : "  if (window.location.origin !== " + WebPage::QuoteScriptText(origin) + ") { return; }\n";
    // The class id is validated hex and dashes, so it can stand in the text.
    // The control's own script runs as a function body: its helpers stay
    // private and a syntax error in it breaks only this control.
    return "(function () {\n" + guard + "  var wanted = \"CLSID:" + control.classId +
           "\";\n"
           "  var objects = document.getElementsByTagName(\"object\");\n"
           "  var matching = [];\n"
           "  for (var i = 0; i < objects.length; ++i) {\n"
           "    var id = (objects[i].getAttribute(\"classid\") || \"\").replace(/[\\s{}]/g, "
           "\"\").toUpperCase();\n"
           "    if (id === wanted) { matching.push(objects[i]); }\n"
           "  }\n"
           "  if (matching.length === 0) { return; }\n"
           "  var install = (function () {\n" +
           control.source +
           "\n  })();\n"
           "  for (var j = 0; j < matching.length; ++j) { install(matching[j]); }\n"
           "})();\n";
}
