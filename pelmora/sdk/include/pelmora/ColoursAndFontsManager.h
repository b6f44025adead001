#ifndef PELMORA_COLOURSANDFONTSMANAGER_H
#define PELMORA_COLOURSANDFONTSMANAGER_H

#include <wx/colour.h>

// The host's colour theme, dark or light. Panes take their background and
// foreground from here; chart panels take the background. The host's
// "Dark Colours" menu item switches it and announces the change on the bus
// (10100); readers take the colours again then.
class ColoursAndFontsManager
{
public:
    static ColoursAndFontsManager& Get();

    wxColour GetBgColour() const { return m_bgColour; }
    wxColour GetFgColour() const { return m_fgColour; }
    bool IsDark() const { return m_dark; }
    void SetDark(bool dark);

private:
    ColoursAndFontsManager();

    bool m_dark = true;
    wxColour m_bgColour;
    wxColour m_fgColour;
};

#endif // PELMORA_COLOURSANDFONTSMANAGER_H
