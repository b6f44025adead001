#include "panes/UserAccountPane.h"

#include "common/IClientPlugin.h"
#include "common/TessrinConfig.h"
#include "db/MainAccounts.h"
#include "db/RecordStore.h"
#include "panes/RiskNoticeBox.h"
#include "panes/RiskNoticeMgr.h"
#include "panes/UserAccountModel.h"

#include <wx/app.h>
#include <wx/intl.h>

const wxEventTypeTag<wxCommandEvent> UserAccountPane::kRefreshEvent(wxNewEventType());

namespace {
// Titles are looked up in the catalogue when the pane is built.
std::vector<ListColumn> Columns()
{
    const int mode = wxDATAVIEW_CELL_INERT;
    const int centre = wxALIGN_CENTER_HORIZONTAL;
    return {
        {_("Market"), UserAccountModel::eMarket, mode, 100, centre},
        {_("Currency"), UserAccountModel::eCurrency, mode, 80, centre},
        {_("NetValue"), UserAccountModel::eNetValue, mode, 80, centre},
        {_("RiskLevel"), UserAccountModel::eRiskLevel, mode, 80, centre},
        {_("Risk"), UserAccountModel::eRisk, mode, 130, centre},
        {_("ProfitDyn"), UserAccountModel::eProfitDyn, mode, 80, centre},
        {_("MarginRemain"), UserAccountModel::eMarginRemain, mode, 80, centre},
        {_("MarginFree"), UserAccountModel::eMarginFree, mode, 80, centre},
        {_("MarginUsed"), UserAccountModel::eMarginUsed, mode, 80, centre},
        {_("MarginFreezed"), UserAccountModel::eMarginFreezed, mode, 80, centre},
        {_("ProfitClose"), UserAccountModel::eProfitClose, mode, 80, centre},
        {_("DailyCharge"), UserAccountModel::eDailyCharge, mode, 80, centre},
        {_("LastDelayCharge"), UserAccountModel::eLastDelayCharge, mode, 80, centre},
        {_("SuretyMoney"), UserAccountModel::eSuretyMoney, mode, 80, centre},
        {_("BonusPoint"), UserAccountModel::eBonusPoint, mode, 80, centre},
    };
}

void SetColumnShown(pmDataViewCtrl* list, unsigned int modelColumn, bool shown)
{
    if(wxDataViewColumn* column = list->GetColumnByModelColumn(modelColumn)) {
        if(column->IsHidden() == shown) {
            column->SetHidden(!shown);
        }
    }
}
} // namespace

UserAccountPane::UserAccountPane(RecordStore* db, wxWindow* parent) : ListPane(db, nullptr, parent)
{
    CreateList(new UserAccountModel(
        db, [this] { RequestRefresh(); }, PluginRefreshClock()));
    AppendColumns(Columns());
    PlaceList();
    LoadColumnConfig("UserAccountPane");
    const TessrinConfig config(g_plugin ? g_plugin->GetConfig() : nullptr);
    // The stored layout holds the last state of the switch, not the user's.
    SetColumnShown(GetList(), UserAccountModel::eBonusPoint, config.IsShowBonusPoint());
    InitContextMenu({});
    m_riskNoticeMgr = std::make_unique<RiskNoticeMgr>(
        db,
        [](const wxString& title, const wxString& text) {
            if(g_plugin) {
                g_plugin->OutputLog(title, text);
            }
        },
        [this](int accountKey, const wxString& title, const wxString& text) {
            // Not only in the output window, which may be hidden or small.
            if(!m_riskBox) {
                m_riskBox = new RiskNoticeBox(wxTheApp ? wxTheApp->GetTopWindow() : nullptr);
            }
            m_riskBox->ShowNotice(accountKey, title, text);
        });
    Bind(kRefreshEvent, &UserAccountPane::OnRefresh, this);
}

UserAccountPane::~UserAccountPane()
{
    Unbind(kRefreshEvent, &UserAccountPane::OnRefresh, this);
    m_riskNoticeMgr.reset();
    if(m_riskBox) {
        m_riskBox->Destroy();
    }
}

UserAccountModel* UserAccountPane::GetModel() const
{
    return static_cast<UserAccountModel*>(GetModelBase());
}

void UserAccountPane::RequestRefresh()
{
    if(m_refreshPending) {
        return;
    }
    m_refreshPending = true;
    wxQueueEvent(this, new wxCommandEvent(kRefreshEvent, 0));
}

void UserAccountPane::OnRefresh(wxCommandEvent& event)
{
    if(m_refreshPending) {
        m_refreshPending = false;
        RefreshAccounts();
        if(!m_rolesAssigned) {
            // Its own account updates come back here as one more refresh.
            m_rolesAssigned = true;
            EnsureMainAccounts(GetDatabase());
        }
    }
    event.Skip();
}

void UserAccountPane::RefreshAccounts()
{
    const auto& accounts = GetDatabase()->m_user_Account_table->GetIndexByPrimary();
    bool suretyAccount = false;
    for(const user_Account& account : accounts) {
        suretyAccount = suretyAccount || account.riskKind == '3';
    }
    if(g_plugin) {
        if(accounts.size() > 1) {
            g_plugin->AppendMoneyMenuItem();
        }
        if(suretyAccount) {
            g_plugin->AppendMoneyMenuItem2();
        }
    }
    // Notices of accounts gone (a logout, the next user) go with them.
    if(m_riskBox) {
        m_riskBox->KeepAccounts([&accounts](int key) { return accounts.find(key) != accounts.end(); });
    }
    // The rows of one query arrive one by one: the column follows the
    // accounts present at each refresh, so a late kind-'3' account shows it.
    if(GetList()) {
        SetColumnShown(GetList(), UserAccountModel::eSuretyMoney, suretyAccount);
    }
}
