#include "panes/PositionFigures.h"

#include "db/NumberFormat.h"
#include "db/RecordFactories.h"

#include <wx/arrstr.h>

double PositionAveragePrice(double amount, int contractUnit, double quantity)
{
    const double lots = static_cast<double>(contractUnit) * quantity;
    return lots > 0.0 ? amount / lots : 0.0;
}

wxString QuantityLinkText(double quantity)
{
    wxString text = FormatMoney(quantity);
    if(!(quantity > 0.0)) {
        text += "-";
    }
    return text;
}

wxVariant QuantityLinkValue(double quantity)
{
    wxArrayString texts;
    texts.Add(QuantityLinkText(quantity));
    return wxVariant(texts);
}

PositionTotals SumPositionQuantities(const CObjectFactory<trade_Position>& positions)
{
    PositionTotals totals;
    for(const trade_Position& position : positions.GetIndexByPrimary()) {
        totals.buyQuantity += position.buyQuantity;
        totals.sellQuantity += position.sellQuantity;
    }
    return totals;
}
