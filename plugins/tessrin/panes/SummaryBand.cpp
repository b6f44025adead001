#include "panes/SummaryBand.h"

#include "panes/HoldDetailModel.h"

#include <pelmora/DrawingUtils.h>
#include <wx/dataview.h>
#include <wx/dc.h>

int SummaryBand::TextLeft(const wxRect& cell, const wxDataViewCtrl& ctrl, const wxDataViewColumn& column)
{
    const wxDataViewColumn* first = nullptr;
    for(unsigned int i = 0; i < ctrl.GetColumnCount(); ++i) {
        if(ctrl.GetColumn(i)->GetModelColumn() == HoldDetailModel::eNumber) {
            first = ctrl.GetColumn(i);
        }
    }
    if(!first) {
        return cell.GetRight() + 1;
    }
    const int minePos = ctrl.GetColumnPosition(&column);
    const int firstPos = ctrl.GetColumnPosition(first);
    if(firstPos > minePos) {
        return cell.GetRight() + 1;
    }
    // Every cell of a row stands the same distance from its column's start.
    int left = cell.x;
    for(unsigned int i = 0; i < ctrl.GetColumnCount(); ++i) {
        const wxDataViewColumn* other = ctrl.GetColumn(i);
        const int pos = ctrl.GetColumnPosition(other);
        if(!other->IsHidden() && pos >= firstPos && pos < minePos) {
            left -= other->GetWidth();
        }
    }
    return left;
}

void SummaryBand::Paint(wxDC& dc, const wxRect& cell, wxDataViewCtrl& ctrl, const wxDataViewColumn& column,
                        const user_Account& account)
{
    auto* model = dynamic_cast<HoldDetailModel*>(ctrl.GetModel());
    if(!model) {
        return;
    }
    const wxDCClipper clip(dc, cell);
    const wxDCBrushChanger brush(dc, wxBrush(model->GetSummaryBackground()));
    const wxDCPenChanger pen(dc, *wxTRANSPARENT_PEN);
    dc.DrawRectangle(cell);

    const wxColour background = ctrl.GetBackgroundColour();
    if(ctrl.HasFlag(wxDV_HORIZ_RULES)) {
        const wxColour rule = DrawingUtils::IsDark(background) ? DrawingUtils::LightColour(background, 4.0f)
                                                               : DrawingUtils::DarkColour(background, 4.0f);
        const wxDCPenChanger rulePen(dc, wxPen(rule));
        dc.DrawLine(cell.GetLeft(), cell.GetBottom(), cell.GetRight() + 1, cell.GetBottom());
    }

    const int left = TextLeft(cell, ctrl, column);
    if(left > cell.GetRight()) {
        return;
    }
    const wxString line = model->GetSummaryText(account, HoldDetailModel::eNumber);
    wxFont font = ctrl.GetFont();
    font.MakeBold();
    const wxDCFontChanger bold(dc, font);
    const wxDCTextColourChanger colour(dc, model->GetSummaryTextColour());
    const wxSize extent = dc.GetTextExtent(line);
    dc.DrawText(line, left, cell.y + (cell.height - extent.y) / 2);
}
