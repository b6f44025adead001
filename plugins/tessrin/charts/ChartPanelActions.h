#pragma once

// What a chart page does with the wheel, a drag and the arrow keys, and the
// state of its popup menu's items: decisions only, the page carries them
// out. Point counts are of K-lines; a negative seek shows older ones.

// The relative seek of `notches` whole wheel notches: a fifth of the
// visible points each, truncated, and at least one point.
int WheelSeekPoints(int notches, int screenCount);

// The relative seek of a drag from `mouseDownX` to `mouseX` (both in the
// viewer's chart coordinates): a drag to the right shows older points.
// Whole points only; 0 while the drag is shorter than one point.
int DragSeekPoints(int mouseDownX, int mouseX, int pixelsPerBar);

enum class ChartKeyAction { eStepLeft, eStepRight, eZoomIn, eZoomOut, ePass };
// Left and Right step the cursor, Up zooms in, Down out; any other key is
// passed on (Tab must still leave the chart).
ChartKeyAction ChartKeyActionOf(int keyCode);

// A cursor index within the valid points, 0 .. validCount - 1 (0 when
// there are none).
int ClampCursorX(int cursorX, int validCount);

// One arrow-key step: the cursor moves within the valid points, or at
// their edge the window seeks one point (older at the left, newer at the
// right) with the cursor where it is.
struct CursorStep
{
    int cursorX;
    int seek; // 0, -1 or 1
};
CursorStep StepCursor(int cursorX, int validCount, bool left);

// Popup items: the period item of the page's period is checked; the
// bar-type item of the page's bar type is disabled.
bool IsPeriodItemChecked(int itemPeriod, int pagePeriod);
bool IsBarTypeItemEnabled(int itemBarType, int pageBarType);
