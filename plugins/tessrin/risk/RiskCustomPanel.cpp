#include "risk/RiskCustomPanel.h"

#include "common/IClientPlugin.h"
#include "connection/Client.h"
#include "db/RecordStore.h"
#include "risk/AlarmSound.h"
#include "risk/RiskCustomPanelModel.h"
#include "risk/RiskParamsCustomConfig.h"
#include "risk/RiskParamsCustomDlg.h"

#include <pelmora/EditorConfig.h>
#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <wx/app.h>
#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/xrc/xmlres.h>

namespace {

std::vector<ListColumn> Columns()
{
    // Translated when the pane is made, so a catalogue loaded by then applies.
    const int automatic = wxCOL_WIDTH_AUTOSIZE;
    const int centre = wxALIGN_CENTER;
    return {
        {wxString(), RiskCustomPanelModel::eColRowNumber, wxDATAVIEW_CELL_INERT, automatic, centre},
        {_("RiskType"), RiskCustomPanelModel::eColType, wxDATAVIEW_CELL_INERT, automatic, centre},
        {_("RiskItem"), RiskCustomPanelModel::eColItem, wxDATAVIEW_CELL_INERT, automatic, centre},
        {_("RiskMaxValue"), RiskCustomPanelModel::eColMaxValue, wxDATAVIEW_CELL_INERT, automatic, centre},
        {_("RiskCondition"), RiskCustomPanelModel::eColCondition, wxDATAVIEW_CELL_INERT, automatic, centre},
        {_("RiskMeans"), RiskCustomPanelModel::eColMeans, wxDATAVIEW_CELL_INERT, automatic, centre},
        {_("RiskFlag"), RiskCustomPanelModel::eColFlag, wxDATAVIEW_CELL_INERT, automatic, centre},
    };
}

} // namespace

RiskCustomPanel::RiskCustomPanel(RecordStore* db, HostManager* mgr, wxWindow* parent)
    : ListPane(db, mgr, parent), m_timer(this),
      m_evaluator(
          [](const wxString& title, const wxString& text) {
              if(g_plugin) {
                  g_plugin->OutputLog(title, text);
              }
          },
          [this](size_t row) { GetModel()->RowChanged(static_cast<unsigned int>(row)); })
{
    CreateList(new RiskCustomPanelModel(db));
    AppendColumns(Columns());
    PlaceList();
    Bind(wxEVT_TIMER, &RiskCustomPanel::OnAlarmTimer, this, m_timer.GetId());
    m_timer.Start(kAlarmIntervalMs);

    auto* menu = new wxMenu(wxEmptyString);
    menu->Append(kEditId, _("Edit"));
    menu->Append(kDeleteId, _("Delete"));
    GetList()->InitMenu(menu);
    GetList()->HookPopupMenu([this](wxDataViewEvent& event) { return OnPopupMenu(event); });
    Bind(wxEVT_MENU, &RiskCustomPanel::OnCustomRiskEditMenu, this, kEditId);
    Bind(wxEVT_MENU, &RiskCustomPanel::OnCustomRiskDeleteMenu, this, kDeleteId);

    if(db && db->m_symbol_price_table && db->m_user_Account_table) {
        db->m_symbol_price_table->AddActionTrigger(this);
        db->m_user_Account_table->AddActionTrigger(this);
    }
    if(wxTheApp) {
        wxTheApp->Bind(wxEVT_MENU, &RiskCustomPanel::OnCustomRiskAddMenu, this, XRCID("riskCustom"));
        m_appBound = true;
    }
    EventNotifier::Get()->Bind(wxEVT_CMD_REFRESH_VIEWS, &RiskCustomPanel::OnRefreshViews, this);
}

RiskCustomPanel::~RiskCustomPanel()
{
    m_timer.Stop();
    SaveColumnConfig();
    RecordStore* db = GetDatabase();
    if(db && db->m_symbol_price_table && db->m_user_Account_table) {
        db->m_symbol_price_table->RemoveActionTrigger(this);
        db->m_user_Account_table->RemoveActionTrigger(this);
    }
    EventNotifier::Get()->Unbind(wxEVT_CMD_REFRESH_VIEWS, &RiskCustomPanel::OnRefreshViews, this);
    if(m_appBound && wxTheApp) {
        wxTheApp->Unbind(wxEVT_MENU, &RiskCustomPanel::OnCustomRiskAddMenu, this, XRCID("riskCustom"));
    }
    GetList()->HookPopupMenu(nullptr);
}

RiskCustomPanelModel* RiskCustomPanel::GetModel() const
{
    return static_cast<RiskCustomPanelModel*>(GetModelBase());
}

RiskParamsCustomConfig* RiskCustomPanel::GetConfig() const
{
    return static_cast<RiskParamsCustomConfig*>(GetColumnConfig());
}

void RiskCustomPanel::afterUpdate(const symbol_price& stored, CTransaction* transaction, void* reserved)
{
    wxUnusedVar(transaction);
    wxUnusedVar(reserved);
    wxASSERT_MSG(GetModel() != nullptr, "RiskCustomPanel::afterUpdate: m_pModel != 0");
    EvaluatePrice(stored);
}

void RiskCustomPanel::afterUpdate(const user_Account& stored, CTransaction* transaction, void* reserved)
{
    wxUnusedVar(stored);
    wxUnusedVar(transaction);
    wxUnusedVar(reserved);
    EvaluateAccounts();
}

void RiskCustomPanel::EvaluatePrice(const symbol_price& price)
{
    const RiskObjectVec& rules = GetModel()->GetRiskObjVec();
    if(rules.empty() || !price.GetSymbolProperty(GetDatabase())) {
        return;
    }
    m_evaluator.OnPrice(rules, price.cachedSymbolProperty->symbolName, price.lastPrice);
}

void RiskCustomPanel::EvaluateAccounts()
{
    const RiskObjectVec& rules = GetModel()->GetRiskObjVec();
    RecordStore* db = GetDatabase();
    if(rules.empty() || !db) {
        return;
    }
    std::vector<const user_Account*> accounts;
    for(const user_Account& account : db->m_user_Account_table->GetIndexByPrimary()) {
        accounts.push_back(&account);
    }
    m_evaluator.OnAccounts(rules, accounts);
}

void RiskCustomPanel::EvaluateAll()
{
    RecordStore* db = GetDatabase();
    if(!db || !db->m_symbol_price_table || !db->m_user_Account_table) {
        return;
    }
    for(const symbol_price& price : db->m_symbol_price_table->GetIndexByPrimary()) {
        EvaluatePrice(price);
    }
    EvaluateAccounts();
}

void RiskCustomPanel::OnAlarmTimer(wxTimerEvent& event)
{
    wxUnusedVar(event);
    m_evaluator.OnAlarmTick(GetModel()->GetRiskObjVec(), AlarmSound::Get());
}

void RiskCustomPanel::OnRefreshViews(wxCommandEvent& event)
{
    event.Skip();
    if(!event.GetClientData()) {
        return;
    }
    LoadColumnConfig();
    ApplyColumnConfig();
}

void RiskCustomPanel::LoadColumnConfig()
{
    // What the trader changed since the last load stays under its login.
    SaveColumnConfig();
    RiskCustomPanelModel* model = GetModel();
    // Rules added before the first login belong to no login yet.
    const RiskObjectVec unowned = m_loginName.empty() ? model->GetRiskObjVec() : RiskObjectVec();
    ReadColumnConfig(RiskParamsCustomConfig::kObjectName,
                     std::make_unique<RiskParamsCustomConfig>(GetList()));
    TellUnreadable(GetConfig()->GetUnreadablePlaces());
    const std::shared_ptr<Client> client = g_plugin ? g_plugin->GetClient() : nullptr;
    if(client && !client->GetLoginName().empty()) {
        if(client->GetLoginName() != m_loginName) {
            m_loginName = client->GetLoginName();
            RiskObjectVec rules = GetConfig()->GetRules(m_loginName);
            rules.insert(rules.end(), unowned.begin(), unowned.end());
            model->SetRiskObjVec(std::move(rules));
            if(!unowned.empty()) {
                SaveColumnConfig();
            }
        } else {
            // The same login again (a reconnection): its rules, just stored,
            // stay as they are, alarms included.
            model->Reset(static_cast<unsigned int>(model->GetRiskObjVec().size()));
        }
        // The conditions may hold already: no quote need come first.
        EvaluateAll();
    } else {
        model->Reset(static_cast<unsigned int>(model->GetRiskObjVec().size()));
    }
}

void RiskCustomPanel::TellUnreadable(const wxArrayString& places)
{
    // Once: the next save stores them under their kept names, which the next
    // read carries without a word.
    if(!places.empty() && g_plugin) {
        g_plugin->OutputLog(
            _("Risk rules"),
            wxString::Format(_("%zu stored entries could not be read; kept unchanged with \"%s\" "
                               "added to their names: %s in %s"),
                             places.size(), UnreadableEntries::kSuffix, wxJoin(places, ','),
                             EditorConfigST::Get()->GetFileName()));
    }
}

void RiskCustomPanel::SaveColumnConfig()
{
    RiskParamsCustomConfig* config = GetConfig();
    if(!config || m_loginName.empty()) {
        return;
    }
    config->SetRules(m_loginName, GetModel()->GetRiskObjVec());
    EditorConfigST::Get()->SaveObject(RiskParamsCustomConfig::kObjectName, config);
}

void RiskCustomPanel::ForgetLogin()
{
    SaveColumnConfig();
    m_loginName.clear();
    GetModel()->SetRiskObjVec(RiskObjectVec());
}

int RiskCustomPanel::GetSelectedRow() const
{
    wxDataViewItemArray selection;
    if(GetList()->GetSelections(selection) != 1 || !selection[0].IsOk()) {
        return -1;
    }
    const unsigned int row = GetModel()->GetRow(selection[0]);
    if(row >= GetModel()->GetRiskObjVec().size()) {
        return -1;
    }
    return static_cast<int>(row);
}

bool RiskCustomPanel::OnPopupMenu(wxDataViewEvent& event)
{
    // Handled (no menu) unless the click names a row.
    return !event.GetItem().IsOk();
}

void RiskCustomPanel::OnCustomRiskAddMenu(wxCommandEvent& event)
{
    wxUnusedVar(event);
    RiskParamsCustomDlg dialog(this, GetDatabase(), _("RiskParamsCustomDlg"));
    dialog.ShowModal();
    if(dialog.IsSaved() && dialog.GetRiskObject()) {
        GetModel()->AddRiskObject(dialog.GetRiskObject());
        SaveColumnConfig();
    }
}

void RiskCustomPanel::OnCustomRiskEditMenu(wxCommandEvent& event)
{
    wxUnusedVar(event);
    const int row = GetSelectedRow();
    if(row < 0) {
        return;
    }
    const RiskObjectPtr rule = GetModel()->GetRiskObjVec()[static_cast<size_t>(row)];
    RiskParamsCustomDlg dialog(this, GetDatabase(), _("RiskParamsCustomDlg"));
    dialog.SetRiskObject(rule);
    dialog.ShowModal();
    // A refresh during the dialog may have replaced the list.
    const int now = GetModel()->FindRow(rule.get());
    if(now >= 0) {
        GetModel()->RowChanged(static_cast<unsigned int>(now));
        if(dialog.IsSaved()) {
            SaveColumnConfig();
        }
    }
}

void RiskCustomPanel::OnCustomRiskDeleteMenu(wxCommandEvent& event)
{
    wxUnusedVar(event);
    const int row = GetSelectedRow();
    if(row >= 0 && GetModel()->RemoveRow(static_cast<unsigned int>(row))) {
        SaveColumnConfig();
    }
}
