#include "pelmora/ColoursAndFontsManager.h"

ColoursAndFontsManager& ColoursAndFontsManager::Get()
{
    static ColoursAndFontsManager manager;
    return manager;
}

// A dark theme: quote boards and charts are read for hours.
ColoursAndFontsManager::ColoursAndFontsManager() : m_bgColour(24, 26, 30), m_fgColour(228, 228, 228) {}
