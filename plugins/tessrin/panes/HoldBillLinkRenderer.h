#pragma once

#include <pelmora/pmDataViewHyperlinkRenderer.h>

// The links of a hold-detail bill row (Quantity, StopLoss, TakeProfit,
// DeliveryStatus); in a summary row, whose cells hold the account instead,
// its slice of the summary band.
class HoldBillLinkRenderer : public pmDataViewHyperlinkRenderer
{
public:
    using pmDataViewHyperlinkRenderer::pmDataViewHyperlinkRenderer;

    bool Render(wxRect cell, wxDC* dc, int state) override;
};
