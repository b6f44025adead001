#pragma once

#include <functional>
#include <wx/event.h>
#include <wx/eventfilter.h>

// Sees every mouse-button press and key press of the application before any
// window does, and reports it as user activity; the events themselves go on
// unchanged. GTK sends no mouse-capture change for ordinary clicks on native
// controls, so without this a user who clicks and types would be locked out.
class UserActivityFilter : public wxEventFilter
{
public:
    explicit UserActivityFilter(std::function<void()> onActivity);
    ~UserActivityFilter() override; // removes itself when still installed

    // Application-wide from Install until Remove; both may be repeated.
    void Install();
    void Remove();
    bool IsInstalled() const { return m_installed; }

    int FilterEvent(wxEvent& event) override;

    // Mouse-button and key presses.
    static bool IsActivity(wxEventType type);

private:
    std::function<void()> m_onActivity;
    bool m_installed;
};
