#ifndef PELMORA_DRAWINGUTILS_H
#define PELMORA_DRAWINGUTILS_H

#include <wx/colour.h>

// Colours of the host's look and small colour arithmetic shared by the host
// and plug-ins. Prices going up are red and going down green, as traders on
// this market read them.
class DrawingUtils
{
public:
    static wxColour GetGlobalUpColour();
    static wxColour GetGlobalDownColour();
    static wxColour GetGlobalEqualColour();
    static wxColour GetOutputPaneBgColour();
    static wxColour GetPanelBgColour();

    // Perceived brightness below one half.
    static bool IsDark(const wxColour& colour);
    // Moves the colour towards white (Light) or black (Dark) by five percent
    // per unit of percent; 20 or more gives white or black.
    static wxColour LightColour(const wxColour& colour, float percent);
    static wxColour DarkColour(const wxColour& colour, float percent);
};

#endif // PELMORA_DRAWINGUTILS_H
