#pragma once

#include "db/CActionTrigger.h"
#include "db/RecordStore.h"
#include "db/user_Account.h"
#include "history/HistoryColumn.h"
#include "history/HistoryPageKind.h"
#include "history/HistoryQryCtl.h"
#include "history/HistoryReportQuery.h"
#include "history/QueryConditionPanel.h"

#include <memory>
#include <pelmora/EditorConfig.h>
#include <pelmora/pmDataViewCtrl.h>
#include <pelmora/pmDataViewCtrlConfig.h>
#include <wx/combobox.h>

class HostManager;

// A history page of the trading accounts: the query frame over a data-view
// control showing its model, one report of the report servers, and a market
// choice filled with the market names of the user's accounts as they are
// updated. A page is its kind (report, sort, accounts offered, layout name)
// and its model (rows, columns, cells, colours).
template <class Model> class HistoryPage : public HistoryQryCtl, public CActionTrigger<user_Account>
{
public:
    HistoryPage(RecordStore* db, HostManager* mgr, wxWindow* parent, const HistoryPageKind& kind)
        : HistoryQryCtl(parent), m_mgr(mgr), m_db(db), m_kind(kind)
    {
        m_model = wxObjectDataPtr<Model>(new Model(db));
        m_list = new pmDataViewCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                    wxBORDER_NONE | wxDV_ROW_LINES | wxDV_VERT_RULES | wxDV_HORIZ_RULES |
                                        wxDV_MULTIPLE);
        m_list->AssociateModel(m_model.get());
        AppendColumns();
        CreateControls(m_list);
        LoadColumnConfig();
        if(m_db && m_db->m_user_Account_table) {
            m_db->m_user_Account_table->AddActionTrigger(this);
        }
    }

    ~HistoryPage() override
    {
        m_model.reset(nullptr);
        SaveColumnConfig();
        // The control follows the user's changes into the layout while it is
        // torn down: it lets go before the layout goes.
        m_list->SetConfig(nullptr);
        m_config.reset();
        if(m_db && m_db->m_user_Account_table) {
            m_db->m_user_Account_table->RemoveActionTrigger(this);
        }
    }

    bool BuildQuery(wxString& path, JSONElement& root) override
    {
        QueryConditionPanel* conditions = GetConditionPanel();
        if(!conditions) {
            return false;
        }
        return HistoryReportQuery::Build(m_db, m_kind, conditions->GetMarketChoice()->GetStringSelection(),
                                         conditions->GetDateRange(), path, root);
    }

    void FillRows(int firstRowNumber, const JSONElement& data) override
    {
        m_model->Fill(firstRowNumber, data, &Model::ReadRow);
    }

    // The rows go, and the markets of the last user's accounts with them.
    void ForgetLogin() override
    {
        HistoryQryCtl::ForgetLogin();
        if(QueryConditionPanel* conditions = GetConditionPanel()) {
            conditions->GetMarketChoice()->Clear();
        }
    }

    // An account's market joins the choice at its first update.
    void afterUpdate(const user_Account& stored, CTransaction* /*transaction*/, void* /*reserved*/) override
    {
        QueryConditionPanel* conditions = GetConditionPanel();
        if(!conditions || !HistoryReportQuery::Offers(m_kind, stored)) {
            return;
        }
        wxComboBox* markets = conditions->GetMarketChoice();
        if(markets->FindString(stored.marketName, true) == wxNOT_FOUND) {
            markets->Append(stored.marketName);
            markets->SetSelection(0);
        }
    }

    pmDataViewCtrl* GetList() const { return m_list; }
    Model* GetModel() const { return m_model.get(); }
    const HistoryPageKind& GetKind() const { return m_kind; }

private:
    void AppendColumns()
    {
        for(const HistoryColumn& row : SortByColumnNumber(Model::Columns())) {
            wxDataViewColumn* column =
                m_list->AppendTextColumn(row.title, static_cast<unsigned int>(row.modelColumn),
                                         static_cast<wxDataViewCellMode>(row.mode), row.width,
                                         static_cast<wxAlignment>(row.alignment), wxDATAVIEW_COL_RESIZABLE);
            // Before the control is shown GTK reports no width: the column's
            // width is then the one it was given (none when it sizes itself).
            const int reported = column->GetWidth();
            const int width = reported > 0 ? reported : row.width;
            if(width > 0) {
                column->SetMinWidth(width);
            }
        }
    }

    void LoadColumnConfig()
    {
        m_config = std::make_unique<pmDataViewCtrlConfig>(m_list);
        EditorConfigST::Get()->LoadObject(m_kind.layout, m_config.get());
        m_list->SetConfig(m_config.get());
    }

    void SaveColumnConfig()
    {
        if(m_config) {
            EditorConfigST::Get()->SaveObject(m_kind.layout, m_config.get());
        }
    }

    pmDataViewCtrl* m_list = nullptr; // a child window of the page
    wxObjectDataPtr<Model> m_model;
    HostManager* m_mgr; // kept for the pages' shared shape
    RecordStore* m_db;
    std::unique_ptr<pmDataViewCtrlConfig> m_config;
    HistoryPageKind m_kind;
};
