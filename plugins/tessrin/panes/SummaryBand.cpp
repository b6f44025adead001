#include "panes/SummaryBand.h"

#include "panes/HoldDetailModel.h"

#include <optional>
#include <pelmora/DrawingUtils.h>
#include <wx/dataview.h>
#include <wx/dc.h>
#include <wx/graphics.h>

namespace {
// Clips to the band and restores the toolkit's own clip afterwards. A
// renderer's cached DC keeps the size the list had when the DC was made:
// a wxDCClipper would restore that stale box and hide whatever the toolkit
// draws next beyond it (the cell texts of the right-hand columns).
class BandClip
{
public:
    BandClip(wxDC& dc, const wxRect& band) : m_context(dc.GetGraphicsContext())
    {
        if(m_context) {
            m_context->PushState();
            m_context->Clip(band.x, band.y, band.width, band.height);
        } else {
            m_clipper.emplace(dc, band);
        }
    }
    ~BandClip()
    {
        if(m_context) {
            m_context->PopState();
        }
    }
    BandClip(const BandClip&) = delete;
    BandClip& operator=(const BandClip&) = delete;

private:
    wxGraphicsContext* m_context;
    std::optional<wxDCClipper> m_clipper;
};

// The cell's rectangle is centred in its row: the band reaches past it to
// the row's edges, where the toolkit clips it.
constexpr int kRowBleed = 2;
constexpr int kTextMargin = 2;

wxColour RuleColour(const wxDataViewCtrl& ctrl)
{
    const wxColour background = ctrl.GetBackgroundColour();
    return DrawingUtils::IsDark(background) ? DrawingUtils::LightColour(background, 4.0f)
                                            : DrawingUtils::DarkColour(background, 4.0f);
}

// The column's part of the cell's row.
wxRect ColumnBand(const wxRect& cell, const wxDataViewCtrl& ctrl, const wxDataViewColumn& column)
{
    return wxRect(SummaryBand::ColumnLeft(ctrl, column), cell.y - kRowBleed, column.GetWidth(),
                  cell.height + 2 * kRowBleed);
}
} // namespace

int SummaryBand::ColumnLeft(const wxDataViewCtrl& ctrl, const wxDataViewColumn& column)
{
    const int position = ctrl.GetColumnPosition(&column);
    int left = 0;
    for(unsigned int i = 0; i < ctrl.GetColumnCount(); ++i) {
        const wxDataViewColumn* other = ctrl.GetColumn(i);
        if(!other->IsHidden() && ctrl.GetColumnPosition(other) < position) {
            left += other->GetWidth();
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
    const wxRect band = ColumnBand(cell, ctrl, column);
    const BandClip clip(dc, band);
    const wxDCBrushChanger brush(dc, wxBrush(model->GetSummaryBackground()));
    const wxDCPenChanger pen(dc, *wxTRANSPARENT_PEN);
    dc.DrawRectangle(band);

    if(ctrl.HasFlag(wxDV_HORIZ_RULES)) {
        const wxDCPenChanger rulePen(dc, wxPen(RuleColour(ctrl)));
        dc.DrawLine(band.GetLeft(), band.GetBottom(), band.GetRight() + 1, band.GetBottom());
    }

    const wxDataViewColumn* first = nullptr;
    for(unsigned int i = 0; i < ctrl.GetColumnCount(); ++i) {
        if(ctrl.GetColumn(i)->GetModelColumn() == HoldDetailModel::eNumber) {
            first = ctrl.GetColumn(i);
        }
    }
    if(!first || ctrl.GetColumnPosition(first) > ctrl.GetColumnPosition(&column)) {
        return; // no money line left of column 0
    }
    const wxString line = model->GetSummaryText(account, HoldDetailModel::eNumber);
    wxFont font = ctrl.GetFont();
    font.MakeBold();
    const wxDCFontChanger bold(dc, font);
    const wxDCTextColourChanger colour(dc, model->GetSummaryTextColour());
    const wxSize extent = dc.GetTextExtent(line);
    dc.DrawText(line, ColumnLeft(ctrl, *first) + kTextMargin, cell.y + (cell.height - extent.y) / 2);
}

void SummaryBand::PaintRule(wxDC& dc, const wxRect& cell, wxDataViewCtrl& ctrl,
                            const wxDataViewColumn& column)
{
    const wxRect band = ColumnBand(cell, ctrl, column);
    const BandClip clip(dc, band);
    const wxDCPenChanger pen(dc, wxPen(RuleColour(ctrl)));
    dc.DrawLine(band.GetRight(), band.GetTop(), band.GetRight(), band.GetBottom() + 1);
}
