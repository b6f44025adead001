#include "panes/ProfitColour.h"

#include <pelmora/DrawingUtils.h>
#include <wx/dataview.h>

ProfitTrend TrendOfProfit(double profit)
{
    if(profit > 0.0) {
        return ProfitTrend::Up;
    }
    if(profit < 0.0) {
        return ProfitTrend::Down;
    }
    return ProfitTrend::Flat; // also NaN: no colour rather than a wrong one
}

void ColourProfit(double profit, wxDataViewItemAttr& attr)
{
    switch(TrendOfProfit(profit)) {
    case ProfitTrend::Up:
        attr.SetColour(DrawingUtils::GetGlobalUpColour());
        break;
    case ProfitTrend::Down:
        attr.SetColour(DrawingUtils::GetGlobalDownColour());
        break;
    case ProfitTrend::Flat:
        break;
    }
}
