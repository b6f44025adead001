#include "panes/AccountInfoRenderer.h"

#include "panes/HoldDetailModel.h"

#include <pelmora/DrawingUtils.h>
#include <wx/dc.h>

namespace {
constexpr int kSummaryCellSize = 20;
constexpr int kTextMargin = 10;
} // namespace

AccountInfoRenderer::AccountInfoRenderer(wxDataViewCtrl* ctrl, const ListColumn& column)
    : pmDataViewTextRenderer("string", static_cast<wxDataViewCellMode>(column.mode),
                             column.alignment | wxALIGN_CENTRE_VERTICAL),
      m_column(column), m_ctrl(ctrl)
{}

HoldDetailModel* AccountInfoRenderer::GetModel() const
{
    return m_ctrl ? dynamic_cast<HoldDetailModel*>(m_ctrl->GetModel()) : nullptr;
}

bool AccountInfoRenderer::SetValue(const wxVariant& value)
{
    pmDataViewTextRenderer::SetValue(value);
    m_account = nullptr;
    m_text.clear();
    HoldDetailModel* model = GetModel();
    if(!value.IsNull() && value.GetType() == "void*") {
        // The model hands out the account it has just found by the row's key.
        m_account = static_cast<const user_Account*>(value.GetVoidPtr());
        if(m_account && model) {
            m_text = model->GetSummaryText(*m_account, static_cast<unsigned int>(m_column.modelColumn));
        }
        return true;
    }
    m_text = GetText();
    return true;
}

bool AccountInfoRenderer::Render(wxRect cell, wxDC* dc, int state)
{
    RenderBackground(dc, cell);
    if(m_text.empty() || (m_account && m_column.modelColumn == HoldDetailModel::eNumber)) {
        return true; // the money line is part of the band
    }
    RenderText(m_text, 0, cell, dc, state);
    return true;
}

wxSize AccountInfoRenderer::GetSize() const
{
    if(m_account && (m_column.modelColumn == HoldDetailModel::eNumber || m_text.empty())) {
        return wxSize(kSummaryCellSize, kSummaryCellSize);
    }
    const wxSize extent = GetTextExtent(m_text.empty() ? wxString(" ") : m_text);
    return wxSize(extent.x + kTextMargin, extent.y);
}

int AccountInfoRenderer::SummaryTextLeft(const wxRect& cell) const
{
    const wxDataViewColumn* mine = GetOwner();
    const wxDataViewColumn* first = nullptr;
    for(unsigned int i = 0; m_ctrl && i < m_ctrl->GetColumnCount(); ++i) {
        if(m_ctrl->GetColumn(i)->GetModelColumn() == HoldDetailModel::eNumber) {
            first = m_ctrl->GetColumn(i);
        }
    }
    if(!mine || !first) {
        return cell.GetRight() + 1;
    }
    const int minePos = m_ctrl->GetColumnPosition(mine);
    const int firstPos = m_ctrl->GetColumnPosition(first);
    if(firstPos > minePos) {
        return cell.GetRight() + 1;
    }
    // Every cell of a row stands the same distance from its column's start.
    int left = cell.x;
    for(unsigned int i = 0; i < m_ctrl->GetColumnCount(); ++i) {
        const wxDataViewColumn* column = m_ctrl->GetColumn(i);
        const int pos = m_ctrl->GetColumnPosition(column);
        if(!column->IsHidden() && pos >= firstPos && pos < minePos) {
            left -= column->GetWidth();
        }
    }
    return left;
}

void AccountInfoRenderer::RenderBackground(wxDC* dc, const wxRect& rect)
{
    HoldDetailModel* model = GetModel();
    if(!m_account || !model) {
        pmDataViewTextRenderer::RenderBackground(dc, rect);
        return;
    }
    const wxDCClipper clip(*dc, rect);
    const wxDCBrushChanger brush(*dc, wxBrush(model->GetSummaryBackground()));
    const wxDCPenChanger pen(*dc, *wxTRANSPARENT_PEN);
    dc->DrawRectangle(rect);

    const wxColour background = m_ctrl->GetBackgroundColour();
    if(m_ctrl->HasFlag(wxDV_HORIZ_RULES)) {
        const wxColour rule = DrawingUtils::IsDark(background) ? DrawingUtils::LightColour(background, 4.0f)
                                                               : DrawingUtils::DarkColour(background, 4.0f);
        const wxDCPenChanger rulePen(*dc, wxPen(rule));
        dc->DrawLine(rect.GetLeft(), rect.GetBottom(), rect.GetRight() + 1, rect.GetBottom());
    }

    const int left = SummaryTextLeft(rect);
    if(left > rect.GetRight()) {
        return;
    }
    const wxString line = model->GetSummaryText(*m_account, HoldDetailModel::eNumber);
    wxFont font = m_ctrl->GetFont();
    font.MakeBold();
    const wxDCFontChanger bold(*dc, font);
    const wxDCTextColourChanger colour(*dc, model->GetSummaryTextColour());
    const wxSize extent = dc->GetTextExtent(line);
    dc->DrawText(line, left, rect.y + (rect.height - extent.y) / 2);
}
