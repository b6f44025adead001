#include "charts/ChartPanelActions.h"

#include <algorithm>
#include <wx/defs.h>

int WheelSeekPoints(int notches, int screenCount)
{
    if(notches == 0) {
        return 0;
    }
    const int points = static_cast<int>(notches * screenCount / 5.0);
    if(points == 0) {
        return notches > 0 ? 1 : -1;
    }
    return points;
}

int DragSeekPoints(int mouseDownX, int mouseX, int pixelsPerBar)
{
    return (mouseDownX - mouseX) / std::max(1, pixelsPerBar);
}

ChartKeyAction ChartKeyActionOf(int keyCode)
{
    switch(keyCode) {
    case WXK_LEFT:
        return ChartKeyAction::eStepLeft;
    case WXK_RIGHT:
        return ChartKeyAction::eStepRight;
    case WXK_UP:
        return ChartKeyAction::eZoomIn;
    case WXK_DOWN:
        return ChartKeyAction::eZoomOut;
    default:
        return ChartKeyAction::ePass;
    }
}

int ClampCursorX(int cursorX, int validCount)
{
    return std::clamp(cursorX, 0, std::max(0, validCount - 1));
}

CursorStep StepCursor(int cursorX, int validCount, bool left)
{
    const int x = ClampCursorX(cursorX, validCount);
    if(left) {
        return x > 0 ? CursorStep{x - 1, 0} : CursorStep{x, -1};
    }
    return x < validCount - 1 ? CursorStep{x + 1, 0} : CursorStep{x, 1};
}

bool IsPeriodItemChecked(int itemPeriod, int pagePeriod)
{
    return itemPeriod == pagePeriod;
}

bool IsBarTypeItemEnabled(int itemBarType, int pageBarType)
{
    return itemBarType != pageBarType;
}
