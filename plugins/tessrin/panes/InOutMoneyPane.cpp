#include "panes/InOutMoneyPane.h"

#include "panes/InOutMoneyRules.h"
#include "panes/PluginInOutPageHost.h"

#include <wx/intl.h>
#include <wx/xrc/xmlres.h>

namespace {

std::vector<ListColumn> Columns()
{
    constexpr int inert = wxDATAVIEW_CELL_INERT;
    constexpr int centreH = wxALIGN_CENTER_HORIZONTAL;
    using M = InOutMoneyModel;
    return {RowNumberColumn(30),
            {_("Market"), M::eMarket, inert, 180, centreH},
            {_("InMoney"), M::eInMoney, inert, 80, centreH},
            {_("OutMoney"), M::eOutMoney, inert, 80, centreH},
            {_("CommitTime"), M::eCommitTime, inert, 160, centreH},
            {_("Status"), M::eStatus, inert, 80, centreH}};
}

} // namespace

InOutMoneyPane::InOutMoneyPane(RecordStore* db, HostManager* mgr, wxWindow* parent,
                               std::unique_ptr<InOutPageHost> host)
    : RecordListPane(db, mgr, parent)
{
    if(!host) {
        host = std::make_unique<PluginInOutPageHost>();
    }
    CreateList(new InOutMoneyModel(db, std::move(host)));
    AppendColumns(Columns());
    LoadImages({"common/16/new_order", "common/16/close_order"});
    PlaceList();
    IgnoreColumnSort();
    LoadColumnConfig(kConfigName);
    InitContextMenu({});
    Bind(wxEVT_MENU, &InOutMoneyPane::OnPay, this, XRCID("pay_inoutmoney"));
    Bind(wxEVT_MENU, &InOutMoneyPane::OnCancel, this, XRCID("cancel_inoutmoney"));
}

InOutMoneyPane::~InOutMoneyPane()
{
    Unbind(wxEVT_MENU, &InOutMoneyPane::OnPay, this, XRCID("pay_inoutmoney"));
    Unbind(wxEVT_MENU, &InOutMoneyPane::OnCancel, this, XRCID("cancel_inoutmoney"));
}

void InOutMoneyPane::OnPay(wxCommandEvent& event)
{
    wxUnusedVar(event);
    InOutMoneyModel* model = GetModel();
    const am_AmountInOut* row = GetSelectedRecord();
    if(!model || !row || !InOutMoneyRules::CanPay(GetDatabase(), *row)) {
        return;
    }
    const am_AmountInOut copy = *row; // the table may change while the page opens
    model->GetOpener().OpenInOutPage(this, copy);
}

void InOutMoneyPane::OnCancel(wxCommandEvent& event)
{
    wxUnusedVar(event);
}
