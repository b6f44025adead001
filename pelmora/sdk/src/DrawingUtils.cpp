#include "pelmora/DrawingUtils.h"

#include "pelmora/ColoursAndFontsManager.h"

#include <algorithm>
#include <wx/settings.h>

namespace {
// Blends each channel towards the target by percent * 5 (at most 100) percent.
wxColour Blend(const wxColour& colour, float percent, unsigned char target)
{
    if(!colour.IsOk()) {
        return colour;
    }
    const float share = std::clamp(percent * 5.0f / 100.0f, 0.0f, 1.0f);
    auto channel = [share, target](unsigned char value) {
        const float mixed = value + (static_cast<float>(target) - value) * share;
        return static_cast<unsigned char>(std::clamp(mixed + 0.5f, 0.0f, 255.0f));
    };
    return wxColour(channel(colour.Red()), channel(colour.Green()), channel(colour.Blue()), colour.Alpha());
}
} // namespace

wxColour DrawingUtils::GetGlobalUpColour()
{
    return wxColour(240, 60, 60);
}

wxColour DrawingUtils::GetGlobalDownColour()
{
    return wxColour(40, 190, 80);
}

wxColour DrawingUtils::GetGlobalEqualColour()
{
    return ColoursAndFontsManager::Get().GetFgColour();
}

wxColour DrawingUtils::GetOutputPaneBgColour()
{
    return ColoursAndFontsManager::Get().GetBgColour();
}

wxColour DrawingUtils::GetPanelBgColour()
{
    return wxSystemSettings::GetColour(wxSYS_COLOUR_3DFACE);
}

bool DrawingUtils::IsDark(const wxColour& colour)
{
    const double brightness = 0.299 * colour.Red() + 0.587 * colour.Green() + 0.114 * colour.Blue();
    return brightness < 127.5;
}

wxColour DrawingUtils::LightColour(const wxColour& colour, float percent)
{
    return Blend(colour, percent, 255);
}

wxColour DrawingUtils::DarkColour(const wxColour& colour, float percent)
{
    return Blend(colour, percent, 0);
}
