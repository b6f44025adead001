#include "panes/AccountInfoRenderer.h"

#include "panes/HoldDetailModel.h"
#include "panes/SummaryBand.h"

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

void AccountInfoRenderer::RenderBackground(wxDC* dc, const wxRect& rect)
{
    if(!m_account || !m_ctrl || !GetOwner()) {
        pmDataViewTextRenderer::RenderBackground(dc, rect);
        if(m_ctrl && GetOwner()) {
            SummaryBand::PaintRule(*dc, rect, *m_ctrl, *GetOwner());
        }
        return;
    }
    SummaryBand::Paint(*dc, rect, *m_ctrl, *GetOwner(), *m_account);
}
