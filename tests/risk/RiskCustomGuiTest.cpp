// The risk pane and the rule dialog: built in a frame of their own (refresh,
// add, edit and delete without a login; the dialog's choices and checks),
// then the trader's flow on the logged-in test bed as demo: a price rule and
// a risk-rate rule raised and cleared by the market, stored per login across
// a second login and a restart.
#include "ScopedEnv.h"
#include "ScratchFolder.h"
#include "TestBed.h"
#include "common/pmSymbolPaneConfig.h"
#include "connection/Client.h"
#include "db/RecordStore.h"
#include "frame/TessrinPlugin.h"
#include "platform/FakeSoundPlayer.h"
#include "risk/AlarmSound.h"
#include "risk/RiskCustomPanel.h"
#include "risk/RiskCustomPanelModel.h"
#include "risk/RiskParamsCustomConfig.h"
#include "risk/RiskParamsCustomDlg.h"

#include <gtest/gtest.h>
#include <memory>
#include <nlohmann/json.hpp>
#include <pelmora/EditorConfig.h>
#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <wx/ffile.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/xrc/xmlres.h>

namespace {

using nlohmann::json;

const wxString kSilver = wxString::FromUTF8("白银");

void Click(wxButton* button)
{
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
}

// Chooses the type as the user does: the selection, then the box's event.
void ChooseType(RiskParamsCustomDlg& dialog, int index)
{
    wxComboBox* box = dialog.GetComboBoxRiskType();
    box->SetSelection(index);
    wxCommandEvent chosen(wxEVT_COMBOBOX, box->GetId());
    chosen.SetEventObject(box);
    chosen.SetInt(index);
    box->ProcessWindowEvent(chosen);
}

void Menu(wxWindow& pane, int id)
{
    wxCommandEvent command(wxEVT_MENU, id);
    pane.ProcessWindowEvent(command);
}

void Tick(RiskCustomPanel& pane)
{
    wxTimerEvent tick(pane.GetAlarmTimer());
    pane.ProcessWindowEvent(tick);
}

void SendRefresh(bool withClientData)
{
    wxArrayString who;
    who.Add("Demo");
    who.Add("demo");
    EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_REFRESH_VIEWS, withClientData ? &who : nullptr);
}

json StoredRules(const wxString& userDataDir)
{
    wxFFile file(userDataDir + "/config/editor.conf", "rb");
    wxString text;
    if(!file.IsOpened() || !file.ReadAll(&text, wxConvUTF8)) {
        return nullptr;
    }
    const json settings = json::parse(text.utf8_string(), nullptr, false);
    if(!settings.is_object() || !settings.contains("objects")) {
        return nullptr;
    }
    return settings["objects"].value(RiskParamsCustomConfig::kObjectName, json());
}

RiskObjectPtr Rule(char type, const wxString& item, double threshold, bool sound)
{
    auto rule = std::make_shared<RiskObject>();
    rule->m_riskType = type;
    rule->m_riskItem = item;
    rule->m_riskMaxVal = threshold;
    rule->m_bSound = sound;
    return rule;
}

// A pane and a dialog in a frame of their own, over a store with three
// symbols and scratch user settings; no plug-in, so no Client.
class RiskWindowsTest : public ::testing::Test
{
protected:
    RiskWindowsTest() : m_userData("PELMORA_USER_DATA_DIR", m_folder.Path())
    {
        EditorConfigST::Free();
        m_db.CreateTables();
        int id = 101;
        for(const char* code : {"AG", "CU", "AU"}) {
            symbol_Property property;
            property.symbolId = id++;
            property.symbolCode = code;
            property.symbolName = wxString(code) + "-name";
            m_db.m_symbol_Property_table->Insert(property);
        }
        m_frame = new wxFrame(nullptr, wxID_ANY, "risk");
        m_pane = new RiskCustomPanel(&m_db, nullptr, m_frame);
        m_frame->Show();
    }
    ~RiskWindowsTest() override
    {
        m_frame->Destroy();
        PumpEvents();
        AlarmSound::Release();
        EditorConfigST::Free();
    }

    std::vector<wxString> Items(RiskParamsCustomDlg& dialog)
    {
        const wxArrayString items = dialog.GetComboBoxRiskItem()->GetStrings();
        return std::vector<wxString>(items.begin(), items.end());
    }

    ScratchFolder m_folder;
    ScopedEnv m_userData;
    DialogScript m_dialogs;
    RecordStore m_db;
    wxFrame* m_frame;
    RiskCustomPanel* m_pane;
};

TEST_F(RiskWindowsTest, ThePaneLoadsNothingWithoutClientDataAndKeepsItsRulesWithoutAClient)
{
    EXPECT_EQ(m_pane->GetList()->GetColumnCount(), 7u);
    EXPECT_EQ(m_pane->GetList()->GetColumn(6)->GetTitle(), "RiskFlag");
    EXPECT_EQ(m_pane->GetList()->GetMenu()->FindItem(RiskCustomPanel::kEditId)->GetItemLabelText(), "Edit");
    EXPECT_TRUE(m_pane->GetAlarmTimer().IsRunning());
    EXPECT_EQ(m_pane->GetAlarmTimer().GetInterval(), RiskCustomPanel::kAlarmIntervalMs);

    SendRefresh(false);
    EXPECT_EQ(m_pane->GetColumnConfig(), nullptr);
    m_pane->GetModel()->AddRiskObject(Rule('A', "AG-name", 10, false));
    SendRefresh(true);
    ASSERT_NE(m_pane->GetColumnConfig(), nullptr);
    EXPECT_EQ(m_pane->GetList()->GetConfig(), m_pane->GetColumnConfig());
    EXPECT_EQ(m_pane->GetModel()->GetCount(), 1u);
    EXPECT_EQ(m_pane->GetLoginName(), "");
    // Without a login nothing is stored.
    EXPECT_EQ(StoredRules(m_folder.Path()), json());
}

TEST_F(RiskWindowsTest, AddEditAndDeleteActOnlyOnOkAndOnExactlyOneSelectedRow)
{
    m_dialogs.AnswerWith(wxID_CANCEL);
    wxCommandEvent add(wxEVT_MENU, XRCID("riskCustom"));
    wxTheApp->ProcessEvent(add);
    EXPECT_EQ(m_dialogs.CountSeen("RiskParamsCustomDlg"), 1u);
    EXPECT_EQ(m_pane->GetModel()->GetCount(), 0u);

    m_dialogs.Answer([](wxDialog& dialog) {
        auto& rule = dynamic_cast<RiskParamsCustomDlg&>(dialog);
        rule.InitDialog();
        rule.GetTextCtrlMaxValue()->SetValue("12.5");
        Click(rule.GetButtonOK());
        return wxID_OK;
    });
    wxTheApp->ProcessEvent(add);
    ASSERT_EQ(m_pane->GetModel()->GetCount(), 1u);
    m_pane->GetModel()->AddRiskObject(Rule('B', "", 0.8, false));
    const RiskObjectPtr first = m_pane->GetModel()->GetRiskObjVec()[0];
    EXPECT_EQ(first->m_riskItem, "AG-name");
    EXPECT_DOUBLE_EQ(first->m_riskMaxVal, 12.5);

    // No selection, then two rows: neither edits nor deletes.
    const size_t seen = m_dialogs.Seen().size();
    m_pane->GetList()->UnselectAll();
    Menu(*m_pane, RiskCustomPanel::kEditId);
    Menu(*m_pane, RiskCustomPanel::kDeleteId);
    m_pane->GetList()->SelectAll();
    Menu(*m_pane, RiskCustomPanel::kEditId);
    Menu(*m_pane, RiskCustomPanel::kDeleteId);
    EXPECT_EQ(m_dialogs.Seen().size(), seen);
    EXPECT_EQ(m_pane->GetModel()->GetCount(), 2u);

    // One row: its rule is edited in place, then deleted.
    m_pane->GetList()->UnselectAll();
    m_pane->GetList()->Select(m_pane->GetModel()->GetItem(0));
    m_dialogs.Answer([](wxDialog& dialog) {
        auto& rule = dynamic_cast<RiskParamsCustomDlg&>(dialog);
        rule.InitDialog();
        rule.GetTextCtrlMaxValue()->SetValue("20");
        Click(rule.GetButtonOK());
        return wxID_OK;
    });
    Menu(*m_pane, RiskCustomPanel::kEditId);
    EXPECT_DOUBLE_EQ(first->m_riskMaxVal, 20.0);
    EXPECT_EQ(m_pane->GetModel()->GetRiskObjVec()[0], first);
    Menu(*m_pane, RiskCustomPanel::kDeleteId);
    ASSERT_EQ(m_pane->GetModel()->GetCount(), 1u);
    EXPECT_EQ(m_pane->GetModel()->GetRiskObjVec()[0]->m_riskType, 'B');
}

TEST_F(RiskWindowsTest, ANewRuleFollowsItsTypeAndRefusesThresholdsThatAreNoPositiveNumber)
{
    RiskParamsCustomDlg dialog(m_pane, &m_db, "RiskParamsCustomDlg");
    dialog.InitDialog();
    EXPECT_EQ(dialog.GetComboBoxRiskType()->GetCount(), 4u);
    EXPECT_EQ(dialog.GetComboBoxRiskType()->GetValue(), "mdWarning");
    EXPECT_EQ(Items(dialog), (std::vector<wxString>{"AG-name", "CU-name", "AU-name"}));
    EXPECT_EQ(dialog.GetComboBoxRiskCondition()->GetValue(), "buyRiskCondition");
    EXPECT_EQ(dialog.GetTextCtrlMaxValue()->GetValue(), "0");

    ChooseType(dialog, 1);
    EXPECT_FALSE(dialog.GetComboBoxRiskItem()->IsEnabled());
    EXPECT_FALSE(dialog.GetComboBoxRiskCondition()->IsEnabled());
    EXPECT_EQ(dialog.GetComboBoxRiskItem()->GetSelection(), wxNOT_FOUND);
    ChooseType(dialog, 0);
    EXPECT_TRUE(dialog.GetComboBoxRiskItem()->IsEnabled());
    EXPECT_TRUE(dialog.GetComboBoxRiskCondition()->IsEnabled());
    EXPECT_EQ(dialog.GetComboBoxRiskItem()->GetSelection(), 0);
    EXPECT_EQ(dialog.GetComboBoxRiskCondition()->GetSelection(), 0);

    for(const char* refused : {"0", "0.00", "-1", "nan", "abc"}) {
        SCOPED_TRACE(refused);
        dialog.GetTextCtrlMaxValue()->SetValue(refused);
        Click(dialog.GetButtonOK());
        EXPECT_FALSE(dialog.GetRiskObject());
        ASSERT_FALSE(m_dialogs.Seen().empty());
        EXPECT_EQ(m_dialogs.Seen().back().message, "Please input param value!");
        EXPECT_EQ(m_dialogs.Seen().back().title, "NOTICE");
    }
    // An account type: empty item and no condition whatever the boxes held.
    ChooseType(dialog, 2);
    dialog.GetTextCtrlMaxValue()->SetValue("0.01");
    dialog.GetCheckBoxWindow()->SetValue(true);
    Click(dialog.GetButtonOK());
    ASSERT_TRUE(dialog.GetRiskObject());
    const RiskObject& rule = *dialog.GetRiskObject();
    EXPECT_EQ(rule.m_riskType, 'C');
    EXPECT_EQ(rule.m_riskItem, "");
    EXPECT_EQ(rule.m_riskCondition, 'G');
    EXPECT_DOUBLE_EQ(rule.m_riskMaxVal, 0.01);
    EXPECT_TRUE(rule.m_bWindow);
    EXPECT_FALSE(rule.m_bSound);
    EXPECT_EQ(rule.m_riskFlag, "NoRisk");
}

TEST_F(RiskWindowsTest, AnExistingRuleChangesOnlyItsValueAndMeansAndSoundOffStopsTheAlarm)
{
    auto* player = new FakeSoundPlayer;
    AlarmSound::Replace(std::unique_ptr<SoundPlayer>(player));
    RiskObjectPtr rule = Rule('A', "CU-name", 5100, true);
    rule->m_riskCondition = 'F';
    rule->m_riskFlag = "YesRisk";
    rule->m_bWindowShown = true;
    RiskParamsCustomDlg dialog(m_pane, &m_db, "RiskParamsCustomDlg");
    dialog.SetRiskObject(rule);
    dialog.InitDialog();
    EXPECT_EQ(dialog.GetComboBoxRiskType()->GetCount(), 1u);
    EXPECT_EQ(Items(dialog), std::vector<wxString>{"CU-name"});
    EXPECT_EQ(dialog.GetComboBoxRiskCondition()->GetValue(), "sellRiskCondition");
    EXPECT_EQ(dialog.GetTextCtrlMaxValue()->GetValue(), "5100.00");
    EXPECT_TRUE(dialog.GetCheckBoxSound()->GetValue());
    for(wxComboBox* box :
        {dialog.GetComboBoxRiskType(), dialog.GetComboBoxRiskItem(), dialog.GetComboBoxRiskCondition()}) {
        EXPECT_FALSE(box->IsEnabled());
    }
    dialog.GetTextCtrlMaxValue()->SetValue("5200");
    dialog.GetCheckBoxSound()->SetValue(false);
    Click(dialog.GetButtonOK());
    EXPECT_EQ(dialog.GetRiskObject(), rule);
    EXPECT_DOUBLE_EQ(rule->m_riskMaxVal, 5200.0);
    EXPECT_FALSE(rule->m_bSound);
    EXPECT_EQ(rule->m_riskItem, "CU-name");
    EXPECT_EQ(rule->m_riskCondition, 'F');
    EXPECT_EQ(rule->m_riskFlag, "YesRisk");
    EXPECT_TRUE(rule->m_bWindowShown);
    EXPECT_EQ(player->stops, 1);
}

TEST_F(RiskWindowsTest, ItemsFollowTheQuoteBoardsOwnOrder)
{
    pmSymbolPaneConfig board;
    board.m_customSymbols.Add("AU");
    board.m_customSymbols.Add("AG");
    ASSERT_TRUE(EditorConfigST::Get()->SaveObject("SymbolPaneCfg", &board));
    RiskParamsCustomDlg dialog(m_pane, &m_db, "RiskParamsCustomDlg");
    dialog.InitDialog();
    EXPECT_EQ(Items(dialog), (std::vector<wxString>{"CU-name", "AU-name", "AG-name"}));
}

// --- On the logged-in test bed ---

RiskCustomPanel* FindRiskPane(TestBed& bed)
{
    Notebook& output = *bed.Host().Manager().GetOutputBook();
    for(size_t i = 0; i < output.GetPageCount(); ++i) {
        if(output.GetPageText(i) == "RiskCustom") {
            return dynamic_cast<RiskCustomPanel*>(output.GetPage(i));
        }
    }
    return nullptr;
}

// Scripts the next rule dialog as a new rule: type index, item, value.
void ScriptNewRule(TestBed& bed, int type, const wxString& item, const wxString& value)
{
    bed.Dialogs().Answer(
        [=](wxDialog& dialog) {
            auto& rule = dynamic_cast<RiskParamsCustomDlg&>(dialog);
            rule.InitDialog();
            ChooseType(rule, type);
            if(!item.empty()) {
                rule.GetComboBoxRiskItem()->SetSelection(rule.GetComboBoxRiskItem()->FindString(item));
            }
            rule.GetTextCtrlMaxValue()->SetValue(value);
            rule.GetCheckBoxSound()->SetValue(true);
            rule.GetCheckBoxWindow()->SetValue(true);
            Click(rule.GetButtonOK());
            return wxID_OK;
        },
        [](wxDialog& dialog) { return dynamic_cast<RiskParamsCustomDlg*>(&dialog) != nullptr; });
}

double LastPrice(TestBed& bed, int symbolId)
{
    const auto& prices = bed.Store().m_symbol_price_table->GetIndexByPrimary();
    const auto found = prices.find(symbolId);
    return found == prices.end() ? -1.0 : found->lastPrice;
}

size_t Lines(TestBed& bed, const wxString& title)
{
    size_t count = 0;
    for(const OutputWindow::Entry& entry : bed.Host().appended) {
        count += entry.title == title ? 1 : 0;
    }
    return count;
}

// Counts the host's refreshes (bus 11111) that name a user.
class RefreshCounter
{
public:
    RefreshCounter()
    {
        EventNotifier::Get()->Bind(wxEVT_CMD_REFRESH_VIEWS, &RefreshCounter::OnRefresh, this);
    }
    ~RefreshCounter()
    {
        EventNotifier::Get()->Unbind(wxEVT_CMD_REFRESH_VIEWS, &RefreshCounter::OnRefresh, this);
    }
    int withClient = 0;

private:
    void OnRefresh(wxCommandEvent& event)
    {
        event.Skip();
        withClient += event.GetClientData() ? 1 : 0;
    }
};

double MarketRiskRate(TestBed& bed, int account)
{
    const json state = bed.Market().State();
    for(const json& row : state["accounts"]) {
        if(row.value("key", 0) == account) {
            return row.value("riskRate", -1.0);
        }
    }
    return -1.0;
}

TEST(RiskCustomFlow, PriceAndRiskRateRulesRaiseAndClearTheirAlarmsAndStayWithTheirLogin)
{
    TestBed bed;
    ASSERT_TRUE(bed.Start());
    ASSERT_EQ(bed.Market().Post("/admin/walk?rate=0"), 200);
    auto* player = new FakeSoundPlayer;
    AlarmSound::Replace(std::unique_ptr<SoundPlayer>(player));
    RiskCustomPanel* pane = FindRiskPane(bed);
    ASSERT_NE(pane, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return pane->GetLoginName() == "demo"; }));
    RiskCustomPanelModel& model = *pane->GetModel();
    ASSERT_EQ(model.GetCount(), 0u);

    // A price rule on silver at 5100, with sound and window, through the
    // host's "Custom Risk" menu item; in the user's file at once.
    ASSERT_EQ(bed.Market().Post("/admin/price?symbol=101&price=5000"), 200);
    ASSERT_TRUE(PumpUntil([&] { return LastPrice(bed, 101) == 5000.0; }));
    ScriptNewRule(bed, 0, kSilver, "5100");
    ASSERT_TRUE(bed.Host().SendMenuCommand("riskCustom"));
    ASSERT_EQ(model.GetCount(), 1u);
    const RiskObjectPtr price = model.GetRiskObjVec()[0];
    EXPECT_EQ(price->m_riskItem, kSilver);
    json stored = StoredRules(bed.UserDataDir());
    EXPECT_EQ(stored["RiskCustoms"], json::array({"demo"}));
    EXPECT_EQ(stored["RiskObjectVector.demo"]["0"]["m_riskMaxVal"], "5100.00");

    // Raised at 5100: one line and the sound at the next tick; cleared at 5000.
    Tick(*pane);
    EXPECT_EQ(model.GetText(0, RiskCustomPanelModel::eColFlag), "NoRisk");
    ASSERT_EQ(bed.Market().Post("/admin/price?symbol=101&price=5100"), 200);
    ASSERT_TRUE(PumpUntil([&] { return price->IsInAlarm(); }));
    ASSERT_EQ(Lines(bed, "mdWarning"), 1u);
    EXPECT_EQ(bed.Host().appended.back().body, kSilver);
    EXPECT_TRUE(player->played.empty());
    Tick(*pane);
    EXPECT_EQ(player->played.size(), 1u);
    ASSERT_EQ(bed.Market().Post("/admin/price?symbol=101&price=5000"), 200);
    ASSERT_TRUE(PumpUntil([&] { return !price->IsInAlarm(); }));
    Tick(*pane);
    EXPECT_EQ(player->played.size(), 1u);
    ASSERT_EQ(bed.Market().Post("/admin/price?symbol=101&price=5100"), 200);
    ASSERT_TRUE(PumpUntil([&] { return price->IsInAlarm(); }));
    EXPECT_EQ(Lines(bed, "mdWarning"), 2u);

    // The trade link drops and comes back: with no quote since, the rule is
    // in alarm right after the reload, sounds on the next tick and writes no
    // second line for the same alarm.
    RefreshCounter refreshes;
    const size_t played = player->played.size();
    ASSERT_EQ(bed.Market().Post("/admin/front?name=trade1&action=drop"), 200);
    ASSERT_EQ(bed.Market().Post("/admin/front?name=trade2&action=drop"), 200);
    ASSERT_TRUE(PumpUntil([&] { return refreshes.withClient > 0; }, std::chrono::seconds(30)));
    ASSERT_EQ(model.GetCount(), 1u);
    EXPECT_EQ(model.GetText(0, RiskCustomPanelModel::eColFlag), "YesRisk");
    EXPECT_EQ(LastPrice(bed, 101), 5100.0);
    Tick(*pane);
    EXPECT_EQ(player->played.size(), played + 1);
    EXPECT_EQ(Lines(bed, "mdWarning"), 2u);

    // A risk-rate rule at 0.8 follows account 11 past its warning line, also
    // while the other accounts change.
    sFFixSetOrder order{};
    order.accountKey = 11;
    order.side = 'b';
    order.orderType = '1';
    order.symbolId = 101;
    order.quantity = 3;
    const size_t holds = bed.Store().m_trade_HoldBill_table->GetContainer().size();
    ASSERT_NE(bed.GetClient()->ReqSetOrder(&order), -1);
    ASSERT_TRUE(
        PumpUntil([&] { return bed.Store().m_trade_HoldBill_table->GetContainer().size() == holds + 1; }));
    ScriptNewRule(bed, 1, wxString(), "0.8");
    ASSERT_TRUE(bed.Host().SendMenuCommand("riskCustom"));
    ASSERT_EQ(model.GetCount(), 2u);
    const RiskObjectPtr rate = model.GetRiskObjVec()[1];
    EXPECT_EQ(rate->m_riskType, 'B');
    ASSERT_EQ(bed.Market().Post("/admin/risk?account=11&line=normal"), 200);
    ASSERT_TRUE(PumpUntil([&] { return !rate->IsInAlarm(); }));
    EXPECT_LT(MarketRiskRate(bed, 11), 0.8);
    ASSERT_EQ(bed.Market().Post("/admin/risk?account=11&line=warning"), 200);
    ASSERT_TRUE(PumpUntil([&] { return rate->IsInAlarm(); }));
    EXPECT_GE(MarketRiskRate(bed, 11), 0.8);
    EXPECT_EQ(Lines(bed, "riskWarning"), 1u);
    const auto& accounts = bed.Store().m_user_Account_table->GetIndexByPrimary();
    const double profit13 = accounts.find(13)->profitDyn;
    ASSERT_EQ(bed.Market().Post("/admin/price?symbol=301&price=74.5"), 200);
    ASSERT_TRUE(PumpUntil([&] { return accounts.find(13)->profitDyn != profit13; }));
    EXPECT_TRUE(rate->IsInAlarm());
    ASSERT_EQ(bed.Market().Post("/admin/risk?account=11&line=normal"), 200);
    ASSERT_TRUE(PumpUntil([&] { return !rate->IsInAlarm(); }));

    // Another login's rules are its own; demo's stay stored.
    bed.Logout();
    ASSERT_TRUE(bed.Login("second", "second1"));
    ASSERT_TRUE(PumpUntil([&] { return pane->GetLoginName() == "second"; }));
    EXPECT_EQ(model.GetCount(), 0u);
    ScriptNewRule(bed, 3, wxString(), "100");
    ASSERT_TRUE(bed.Host().SendMenuCommand("riskCustom"));
    pane->GetList()->Select(model.GetItem(0));
    bed.Dialogs().Answer([](wxDialog& dialog) {
        auto& rule = dynamic_cast<RiskParamsCustomDlg&>(dialog);
        rule.InitDialog();
        rule.GetTextCtrlMaxValue()->SetValue("200");
        Click(rule.GetButtonOK());
        return wxID_OK;
    });
    Menu(*pane, RiskCustomPanel::kEditId);
    EXPECT_EQ(StoredRules(bed.UserDataDir())["RiskObjectVector.second"]["0"]["m_riskMaxVal"], "200.00");
    Menu(*pane, RiskCustomPanel::kDeleteId);
    stored = StoredRules(bed.UserDataDir());
    EXPECT_EQ(stored["RiskCustoms"], json::array({"demo", "second"}));
    EXPECT_TRUE(stored["RiskObjectVector.second"].empty());
    EXPECT_EQ(stored["RiskObjectVector.demo"].size(), 2u);

    // After a restart both rules are back under demo and judged at once:
    // the price rule's symbol stands at its threshold (no quote arrives
    // meanwhile), account 11 below the rate.
    bed.Logout();
    ASSERT_TRUE(bed.Login("demo", "demo123"));
    ASSERT_TRUE(PumpUntil([&] { return LastPrice(bed, 101) == 5100.0; }));
    ASSERT_TRUE(bed.Restart());
    pane = FindRiskPane(bed);
    ASSERT_NE(pane, nullptr);
    ASSERT_TRUE(
        PumpUntil([&] { return pane->GetLoginName() == "demo" && pane->GetModel()->GetCount() == 2u; }));
    const RiskObjectVec& restored = pane->GetModel()->GetRiskObjVec();
    EXPECT_EQ(restored[0]->m_riskItem, kSilver);
    EXPECT_EQ(restored[0]->m_riskFlag, "YesRisk");
    EXPECT_EQ(restored[1]->m_riskType, 'B');
    EXPECT_EQ(restored[1]->m_riskFlag, "NoRisk");
}

TEST(RiskCustomFlow, ARuleAddedBeforeTheFirstLoginJoinsItsRulesAndSurvivesARestart)
{
    TestBed bed;
    {
        // demo's stored rule from an earlier run.
        ASSERT_TRUE(bed.Start());
        ASSERT_TRUE(PumpUntil([&] { return FindRiskPane(bed)->GetLoginName() == "demo"; }));
        ScriptNewRule(bed, 3, wxString(), "100000");
        ASSERT_TRUE(bed.Host().SendMenuCommand("riskCustom"));
        bed.Unload();
    }
    ASSERT_TRUE(bed.Load());
    RiskCustomPanel* pane = FindRiskPane(bed);
    ASSERT_NE(pane, nullptr);
    EXPECT_TRUE(pane->GetLoginName().empty());
    ScriptNewRule(bed, 2, wxString(), "1");
    ASSERT_TRUE(bed.Host().SendMenuCommand("riskCustom"));
    ASSERT_EQ(pane->GetModel()->GetCount(), 1u);

    ASSERT_TRUE(bed.Login());
    ASSERT_TRUE(PumpUntil([&] { return pane->GetLoginName() == "demo"; }));
    ASSERT_EQ(pane->GetModel()->GetCount(), 2u) << StoredRules(bed.UserDataDir()).dump();
    EXPECT_EQ(pane->GetModel()->GetRiskObjVec()[0]->m_riskType, 'D');
    EXPECT_EQ(pane->GetModel()->GetRiskObjVec()[1]->m_riskType, 'C');
    // Judged at once: demo's accounts use margin, none floats 100,000.
    EXPECT_EQ(pane->GetModel()->GetRiskObjVec()[1]->m_riskFlag, "YesRisk");
    EXPECT_EQ(pane->GetModel()->GetRiskObjVec()[0]->m_riskFlag, "NoRisk");
    const json stored = StoredRules(bed.UserDataDir());
    EXPECT_EQ(stored["RiskCustoms"], json::array({"demo"}));
    EXPECT_EQ(stored["RiskObjectVector.demo"].size(), 2u);

    ASSERT_TRUE(bed.Restart());
    pane = FindRiskPane(bed);
    ASSERT_NE(pane, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return pane->GetLoginName() == "demo"; }));
    ASSERT_EQ(pane->GetModel()->GetCount(), 2u);
    EXPECT_EQ(pane->GetModel()->GetRiskObjVec()[1]->m_riskType, 'C');
    EXPECT_EQ(pane->GetModel()->GetRiskObjVec()[1]->m_riskMaxVal, 1.0);
}

} // namespace
