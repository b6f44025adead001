#pragma once

#include <wx/colour.h>

// The plug-in's own colours, all in one table. Rising, falling and flat
// prices and the pane backgrounds follow the host's theme (DrawingUtils);
// these are the fixed colours the plug-in's windows add to it. An entry the
// dark theme changes has a dark variant and a chooser that takes the theme.
namespace Colours {

// An entry; it turns into the toolkit's colour wherever one is wanted.
struct Rgb
{
    unsigned char red;
    unsigned char green;
    unsigned char blue;

    operator wxColour() const { return wxColour(red, green, blue); }
};

// Texts.
constexpr Rgb kDoneText{0, 0, 255};   // a message line after success
constexpr Rgb kFailedText{255, 0, 0}; // a message line after a failure
constexpr Rgb kAlertText{255, 0, 0};  // rules in breach, notes the user must not miss
constexpr Rgb kFigureText{0, 0, 255}; // quantities and prices picked out in a list
constexpr Rgb kLinkText{0, 0, 255};   // a link, also while hovered
constexpr Rgb kVisitedLinkText{255, 0, 0};
constexpr Rgb kStaleQuoteText{128, 128, 128}; // a quote not live; readable on light and dark boards

// Backgrounds.
constexpr Rgb kPlainBackground{255, 255, 255};
constexpr Rgb kAmountBackground{255, 255, 225};     // the fields that take an amount
constexpr Rgb kShownMoneyBackground{190, 220, 255}; // the read-only money fields of a dialog
constexpr Rgb kTotalRowBackground{255, 255, 200};   // the total row of a list
constexpr Rgb kInvalidInputBackground{255, 0, 0};
constexpr Rgb kStopLossButton{191, 223, 255};
constexpr Rgb kTakeProfitButton{191, 233, 255};
constexpr Rgb kQuickOrderButton{255, 147, 255}; // the status bar's quick-order button
constexpr Rgb kQuickOrderButtonText{255, 0, 255};
// The quote board follows the theme. Its rising and falling prices and the
// highlight of a symbol whose price just moved are chosen together: a price
// reads at 4.5:1 or better on the board and on the highlight alike.
constexpr Rgb kHighlightedSymbolLight{230, 230, 255};
constexpr Rgb kHighlightedSymbolDark{52, 46, 82};
constexpr Rgb kBoardRiseLight{200, 0, 0};
constexpr Rgb kBoardFallLight{0, 115, 30};
constexpr Rgb kBoardRiseDark{255, 120, 120};
constexpr Rgb kBoardFallDark{70, 215, 110};

// The account lines of the status bar, in the order of the status colours
// (black, blue, green, cyan, light grey, red, white): the stock colours of
// those names read at 1.15:1 (cyan) on the bar, these at 5:1 or better.
constexpr Rgb kStatusLineColours[] = {{0, 0, 0},    {0, 0, 230}, {0, 115, 0},  {0, 105, 125},
                                      {90, 90, 90}, {200, 0, 0}, {128, 0, 160}};

// Behind the lock box: hides the terminal while the screen is locked.
constexpr Rgb kLockScreenBackdrop{40, 44, 52};

// The bar of the time left to a min-trade order.
constexpr Rgb kExpiryTrack{144, 144, 144};
constexpr Rgb kExpiryTrackBorder{112, 112, 112};
constexpr Rgb kExpiryAhead{0, 153, 0};  // half or more left
constexpr Rgb kExpiryBehind{204, 0, 0}; // less than half left
constexpr Rgb kExpiryLabel{255, 255, 255};

// The chart colours before the user sets any.
constexpr Rgb kChartCandleUp{0xCC, 0x00, 0x00};
constexpr Rgb kChartCandleDown{0x00, 0x99, 0x00};
constexpr Rgb kChartBarUp{0xFF, 0x33, 0x33};
constexpr Rgb kChartBarDown{0x33, 0xCC, 0x33};
constexpr Rgb kChartBackground{0xFF, 0xFF, 0xFF};
constexpr Rgb kChartForeground{0x01, 0x01, 0x01}; // axes and texts

// The buy, sell and limit-price buttons of the quick-trade panel, as the
// "QuickBtnColours" setting stores them.
constexpr const char* kQuickButtonColours = "#FF8040,#4080F0,#40FF80";

inline Rgb MessageText(bool ok)
{
    return ok ? kDoneText : kFailedText;
}

// Blue above zero, red at or below.
inline Rgb SignedFigureText(double value)
{
    return value > 0 ? kFigureText : kAlertText;
}

inline Rgb HighlightedSymbolBackground(bool darkTheme)
{
    return darkTheme ? kHighlightedSymbolDark : kHighlightedSymbolLight;
}

inline Rgb BoardPriceText(bool rising, bool darkTheme)
{
    if(darkTheme) {
        return rising ? kBoardRiseDark : kBoardFallDark;
    }
    return rising ? kBoardRiseLight : kBoardFallLight;
}

} // namespace Colours
