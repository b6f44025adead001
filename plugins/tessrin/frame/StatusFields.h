#pragma once

#include "connection/StatusColour.h"

#include <functional>
#include <vector>
#include <wx/colour.h>
#include <wx/event.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

class HostManager;
class pmStatusBar;
struct pmStatusBarItem;
class wxDC;
class wxImageList;

// The blink phase of the connection icons: 1 at load, switched between 1
// and 2 by the plug-in's 500 ms tick. A login under way reports it as its
// state, so that its icon alternates. GUI thread only.
extern int g_blinkPhase;

// The plug-in's seven fields in the host's status bar: the quick-order
// button in field 0, then the account, the rotating account line, the
// trading day, the server, the connection icons and the server time. The
// fields stay in the host's bar; after Release they no longer reach this
// object. GUI thread only.
class StatusFields
{
public:
    // `images` gives the plug-in's page images (0 to 2: the connection
    // states) when the icons are drawn; it may give null.
    StatusFields(HostManager* manager, std::function<const wxImageList*()> images);
    ~StatusFields();
    StatusFields(const StatusFields&) = delete;
    StatusFields& operator=(const StatusFields&) = delete;

    // Appends the fields to the host's bar; nothing without one.
    void Create();
    // Writes field 1 to 6; other fields are ignored. A text field is not
    // written again with the text it shows.
    void SetField(int field, const wxString& text);
    // The text colour of a field's window (field 2: the account line).
    void SetFieldColour(int field, const wxColour& colour);
    // The colour a status colour is drawn in: readable on the bar.
    static wxColour ToColour(StatusColour colour);
    // After logout: no account, trading day, server or time, the account
    // line and the connection icons say not logged in.
    void ShowLoggedOut();
    // Draws the connection icon of a login state and moves the position on.
    void DrawStatusIcon(wxDC& dc, const wxString& text, long state, wxPoint& position) const;
    void Release();

    const std::vector<pmStatusBarItem*>& GetItems() const { return m_items; }

private:
    void OnQuickOrderButton(wxCommandEvent& event);
    void ShowText(const pmStatusBarItem& item, const wxString& text);
    // What `count` connection icons take, their margins included.
    wxSize IconsSize(size_t count) const;

    HostManager* m_mgr;
    std::function<const wxImageList*()> m_images;
    pmStatusBar* m_statusBar = nullptr;
    std::vector<pmStatusBarItem*> m_items; // index = field; owned by the bar
};
