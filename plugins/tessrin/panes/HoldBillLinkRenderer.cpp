#include "panes/HoldBillLinkRenderer.h"

#include "db/user_Account.h"
#include "panes/SummaryBand.h"

bool HoldBillLinkRenderer::Render(wxRect cell, wxDC* dc, int state)
{
    wxVariant value;
    GetValue(value);
    wxDataViewColumn* column = GetOwner();
    wxDataViewCtrl* ctrl = column ? column->GetOwner() : nullptr;
    if(!value.IsNull() && value.GetType() == "void*" && value.GetVoidPtr() && ctrl) {
        SummaryBand::Paint(*dc, cell, *ctrl, *column, *static_cast<const user_Account*>(value.GetVoidPtr()));
        return true;
    }
    if(ctrl) {
        SummaryBand::PaintRule(*dc, cell, *ctrl, *column);
    }
    return pmDataViewHyperlinkRenderer::Render(cell, dc, state);
}
