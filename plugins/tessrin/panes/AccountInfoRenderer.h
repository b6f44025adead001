#pragma once

#include "common/ListColumn.h"

#include <pelmora/pmDataViewTextRenderer.h>

class HoldDetailModel;
struct user_Account;

// The cells of the hold-detail list other than its links. A bill row's cell
// is its text; a summary row hands every cell its account ("void*"), and each
// summary cell paints its slice of the row's band (SummaryBand); columns 11
// to 15 add the group's sums on top.
class AccountInfoRenderer : public pmDataViewTextRenderer
{
public:
    AccountInfoRenderer(wxDataViewCtrl* ctrl, const ListColumn& column);

    bool SetValue(const wxVariant& value) override;
    bool Render(wxRect cell, wxDC* dc, int state) override;
    wxSize GetSize() const override;
    void RenderBackground(wxDC* dc, const wxRect& rect) override;

    // The account of the summary row being drawn; null for a bill row.
    const user_Account* GetAccount() const { return m_account; }
    const wxString& GetCellText() const { return m_text; }

private:
    HoldDetailModel* GetModel() const;

    ListColumn m_column;
    wxDataViewCtrl* m_ctrl; // owns the column that owns this renderer
    wxString m_text;
    const user_Account* m_account = nullptr;
};
