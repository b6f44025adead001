#include "pelmora/ColoursAndFontsManager.h"

ColoursAndFontsManager& ColoursAndFontsManager::Get()
{
    static ColoursAndFontsManager manager;
    return manager;
}

// Dark by default: quote boards and charts are read for hours.
ColoursAndFontsManager::ColoursAndFontsManager()
{
    SetDark(true);
}

void ColoursAndFontsManager::SetDark(bool dark)
{
    m_dark = dark;
    m_bgColour = dark ? wxColour(24, 26, 30) : wxColour(250, 250, 250);
    m_fgColour = dark ? wxColour(228, 228, 228) : wxColour(24, 24, 24);
}
