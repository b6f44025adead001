#ifndef PELMORA_IPLUGIN_H
#define PELMORA_IPLUGIN_H

#include "pelmora/HostManager.h"

#include <wx/bitmap.h>
#include <wx/event.h>
#include <wx/filename.h>
#include <wx/string.h>

class wxAuiToolBar;
class wxMenu;
class wxWindow;

// The interface the host calls on a plug-in after CreatePlugin. The order of
// the virtual operations is part of the plug-in ABI: append, never reorder.
class IPlugin : public wxEvtHandler
{
public:
    explicit IPlugin(HostManager* manager) : m_mgr(manager) {}
    ~IPlugin() override = default;

    virtual const wxString& FirstNameField() const { return m_firstName; }
    virtual const wxString& SecondNameField() const { return m_secondName; }
    // Builds (once) the plug-in's tool bar on the parent; null when the host
    // wants no plug-in tool bars.
    virtual wxAuiToolBar* BuildToolBar(wxWindow* parent) = 0;
    virtual void BuildMenus() = 0;
    // Called once before the host destroys the plug-in and unloads its library.
    virtual void UnPlug() = 0;
    virtual void ReservedHookA(wxMenu* menu, int kind)
    {
        wxUnusedVar(menu);
        wxUnusedVar(kind);
    }
    virtual void ReservedHookB() {}
    // Loads <base>/plugins/resources/<fileName>; wxNullBitmap when that fails.
    virtual wxBitmap LoadPluginBitmap(const wxString& fileName, wxBitmapType type)
    {
        if(!m_mgr) {
            return wxNullBitmap;
        }
        const wxString path = m_mgr->GetBaseDirectory() + "/plugins" + "/resources/" + fileName;
        wxBitmap bitmap;
        if(!wxFileName::FileExists(path) || !bitmap.LoadFile(path, type)) {
            return wxNullBitmap;
        }
        return bitmap;
    }

protected:
    wxString m_firstName;
    wxString m_secondName;
    HostManager* m_mgr; // not owned: the host outlives every plug-in
};

#endif // PELMORA_IPLUGIN_H
