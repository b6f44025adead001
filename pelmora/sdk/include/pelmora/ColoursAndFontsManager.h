#ifndef PELMORA_COLOURSANDFONTSMANAGER_H
#define PELMORA_COLOURSANDFONTSMANAGER_H

#include <wx/colour.h>

// The host's colour theme. Panes take their background and foreground from
// here; chart panels take the background.
class ColoursAndFontsManager
{
public:
    static ColoursAndFontsManager& Get();

    wxColour GetBgColour() const { return m_bgColour; }
    wxColour GetFgColour() const { return m_fgColour; }

private:
    ColoursAndFontsManager();

    wxColour m_bgColour;
    wxColour m_fgColour;
};

#endif // PELMORA_COLOURSANDFONTSMANAGER_H
