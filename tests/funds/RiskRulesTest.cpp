// Custom risk rules without windows: their stored form, the evaluator's
// alarms, lines and sounds, and the dialog's choices.
#include "ScratchFolder.h"
#include "db/RecordStore.h"
#include "platform/FakeSoundPlayer.h"
#include "risk/AlarmSound.h"
#include "risk/RiskCustomPanelModel.h"
#include "risk/RiskEvaluator.h"
#include "risk/RiskObjectVectorConfig.h"
#include "risk/RiskParamsCustomConfig.h"
#include "risk/RiskParamsCustomDlg.h"

#include <cmath>
#include <gtest/gtest.h>
#include <pelmora/Archive.h>
#include <pelmora/EditorConfig.h>
#include <utility>
#include <vector>
#include <wx/translation.h>

namespace {

using Json = nlohmann::ordered_json;

RiskObjectPtr Rule(char type, const wxString& item, double threshold, bool sound = false, bool window = false,
                   char condition = 'G')
{
    auto rule = std::make_shared<RiskObject>();
    rule->m_riskType = type;
    rule->m_riskItem = item;
    rule->m_riskMaxVal = threshold;
    rule->m_riskCondition = condition;
    rule->m_bSound = sound;
    rule->m_bWindow = window;
    return rule;
}

Json Stored(SerializedObject& object)
{
    Archive arch;
    object.Serialize(arch);
    return arch.GetElement().value();
}

std::unique_ptr<RiskParamsCustomConfig> Read(const Json& stored)
{
    auto config = std::make_unique<RiskParamsCustomConfig>();
    Archive arch(JSONElement::fromJson(stored));
    config->DeSerialize(arch);
    return config;
}

std::vector<std::string> Keys(const Json& object)
{
    std::vector<std::string> keys;
    for(const auto& member : object.items()) {
        keys.push_back(member.key());
    }
    return keys;
}

// The plug-in's English catalogue while it lives ("mdWarning" shows as
// "Price Alert").
class EnglishCatalogue
{
public:
    EnglishCatalogue()
    {
        const char* build = std::getenv("TESSRIN_BUILD_DIR");
        wxFileTranslationsLoader::AddCatalogLookupPathPrefix(wxString::FromUTF8(build ? build : ".") +
                                                             "/bin/plugins/locale");
        auto translations = std::make_unique<wxTranslations>();
        translations->SetLanguage("en");
        translations->AddCatalog("Tessrin");
        wxTranslations::Set(translations.release());
    }
    ~EnglishCatalogue() { wxTranslations::Set(nullptr); }
};

// --- Stored form ---

TEST(RiskRuleStorage, ARuleIsSixEntriesInOrderWithKeysWhateverTheCatalogueAndTwoDecimals)
{
    EnglishCatalogue english;
    ASSERT_EQ(RiskTypeToStr('A'), "Price Alert");
    const Json price = Stored(*Rule('A', wxString::FromUTF8("白银"), 1234.5, true, false, 'E'));
    EXPECT_EQ(Keys(price), (std::vector<std::string>{"m_riskType", "m_riskItem", "m_riskMaxVal",
                                                     "m_riskCondition", "m_bSound", "m_bWindow"}));
    EXPECT_EQ(price["m_riskType"], "mdWarning");
    EXPECT_EQ(price["m_riskItem"], "白银");
    EXPECT_EQ(price["m_riskMaxVal"], "1234.50");
    EXPECT_EQ(price["m_riskCondition"], "buyRiskCondition");
    EXPECT_EQ(price["m_bSound"], true);
    EXPECT_EQ(price["m_bWindow"], false);

    const Json account = Stored(*Rule('C', "", 0.8));
    EXPECT_EQ(account["m_riskType"], "cashDepositWarning");
    EXPECT_EQ(account["m_riskItem"], "");
    EXPECT_EQ(account["m_riskCondition"], "");
    EXPECT_EQ(account["m_riskMaxVal"], "0.80");
}

TEST(RiskRuleStorage, TextsReadBackAsCodesAndUnknownTextsAsMdWarningAndNone)
{
    const struct
    {
        const char* type;
        const char* condition;
        const char* value;
        char expectType;
        char expectCondition;
        double expectValue;
    } cases[] = {
        {"floatProfitWarning", "sellRiskCondition", "12.25", 'D', 'F', 12.25},
        {"RISKWARNING", "BUYRISKCONDITION", "0.8", 'B', 'E', 0.8},
        {"Kursalarm", "Kaufbedingung", "7", 'A', 'G', 7.0},
        {"cashDepositWarning", "", "not a number", 'C', 'G', 0.0},
        // What earlier builds stored under the English catalogue, read without it.
        {"Margin Alert", "", "0.8", 'C', 'G', 0.8},
        {"price alert", "Buy Side", "1", 'A', 'E', 1.0},
        {"Floating Profit Alert", "", "2", 'D', 'G', 2.0},
        {"Risk Rate Alert", "", "3", 'B', 'G', 3.0},
        {"Price Alert", "Sell Side", "4", 'A', 'F', 4.0},
    };
    for(const auto& c : cases) {
        SCOPED_TRACE(c.type);
        RiskObject rule;
        Archive arch(JSONElement::fromJson(Json{{"m_riskType", c.type},
                                                {"m_riskItem", "X"},
                                                {"m_riskMaxVal", c.value},
                                                {"m_riskCondition", c.condition},
                                                {"m_bSound", true},
                                                {"m_bWindow", true}}));
        rule.DeSerialize(arch);
        EXPECT_EQ(rule.m_riskType, c.expectType);
        EXPECT_EQ(rule.m_riskCondition, c.expectCondition);
        EXPECT_DOUBLE_EQ(rule.m_riskMaxVal, c.expectValue);
        EXPECT_TRUE(rule.m_bSound && rule.m_bWindow);
        EXPECT_EQ(rule.m_riskFlag, "NoRisk");
        EXPECT_FALSE(rule.m_bWindowShown);
    }
    EXPECT_EQ(RiskTypeToStr('E'), "");
    EXPECT_EQ(RiskConditionToStr('G'), "");
}

TEST(RiskRuleStorage, LoginsAreListedAfterTheirListsAndAMissingListReadsEmpty)
{
    RiskParamsCustomConfig config;
    config.SetRules("demo", {Rule('A', "AG", 5100), Rule('B', "", 0.8)});
    config.SetRules("another", {});
    const Json stored = Stored(config);
    EXPECT_EQ(Keys(stored)[0], "RiskObjectVector.another");
    EXPECT_EQ(Keys(stored)[1], "RiskObjectVector.demo");
    EXPECT_EQ(Keys(stored)[2], "RiskCustoms");
    EXPECT_EQ(stored["RiskCustoms"], Json::array({"another", "demo"}));
    EXPECT_TRUE(stored["RiskObjectVector.another"].is_object());
    EXPECT_TRUE(stored["RiskObjectVector.another"].empty());
    EXPECT_EQ(Keys(stored["RiskObjectVector.demo"]), (std::vector<std::string>{"0", "1"}));
    EXPECT_EQ(stored["RiskObjectVector.demo"].count("count"), 0u);

    const auto back = Read(stored);
    ASSERT_EQ(back->GetAllRules().size(), 2u);
    EXPECT_TRUE(back->GetRules("another").empty());
    ASSERT_EQ(back->GetRules("demo").size(), 2u);
    EXPECT_EQ(back->GetRules("demo")[1]->m_riskType, 'B');

    Json missing = stored;
    missing.erase("RiskObjectVector.demo");
    EXPECT_EQ(Read(missing)->GetAllRules().count("demo"), 1u);
    EXPECT_TRUE(Read(missing)->GetRules("demo").empty());
}

TEST(RiskRuleStorage, ThreeKeysWithAGapReadAsTwoRules)
{
    Json rule = Stored(*Rule('A', "AG", 1));
    Archive arch(JSONElement::fromJson(Json{{"0", rule}, {"1", rule}, {"3", rule}}));
    RiskObjectVectorConfig list;
    list.DeSerialize(arch);
    EXPECT_EQ(list.GetRules().size(), 2u);
    // The rule past the gap is not dropped: it is written back aside.
    const Json written = Stored(list);
    EXPECT_EQ(Keys(written), (std::vector<std::string>{"0", "1", "3.unreadable"}));
    EXPECT_EQ(written["3.unreadable"], rule);
}

TEST(RiskRuleStorage, WhatCannotBeReadIsKeptAsideAndNothingReadIsWrittenBackChanged)
{
    const Json price = Stored(*Rule('A', "AG", 5100, true, true, 'E'));
    const Json rate = Stored(*Rule('B', "", 0.8));
    const Json second = Stored(*Rule('D', "", 100.0, false, true));
    auto with = [&](const char* key, Json value) {
        Json rule = price;
        rule[key] = std::move(value);
        return rule;
    };
    const struct
    {
        const char* name;
        Json rule;
    } cases[] = {
        {"threshold that is no number", with("m_riskMaxVal", "abc")},
        {"threshold nan", with("m_riskMaxVal", "nan")},
        {"threshold infinite", with("m_riskMaxVal", "inf")},
        {"threshold as a JSON number", with("m_riskMaxVal", 5100)},
        {"sound as text", with("m_bSound", "yes")},
        {"item as a number", with("m_riskItem", 7)},
        {"type as a number", with("m_riskType", 1)},
        // Read as a price rule it would be written back as one.
        {"type no build wrote", with("m_riskType", "Kursalarm")},
        {"condition no build wrote", with("m_riskCondition", "Kaufbedingung")},
        {"no type", Json{{"m_riskItem", "AG"}, {"m_riskMaxVal", "1.00"}}},
        {"rule as text", "mdWarning AG 5100"},
    };
    for(const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // "RiskCustoms" as one text: the lists are found by their keys.
        const Json stored = {{"RiskObjectVector.demo", {{"0", price}, {"1", c.rule}, {"2", rate}}},
                             {"RiskObjectVector.second", {{"0", second}}},
                             {"RiskCustoms", "demo,second"}};
        const auto config = Read(stored);
        ASSERT_EQ(config->GetRules("demo").size(), 2u) << "the rule after it still counts";
        EXPECT_EQ(config->GetRules("demo")[1]->m_riskType, 'B');
        ASSERT_EQ(config->GetRules("second").size(), 1u);
        EXPECT_EQ(wxJoin(config->GetUnreadablePlaces(), ' '), "RiskObjectVector.demo/1 RiskCustoms");

        const Json written = Stored(*config);
        EXPECT_EQ(written["RiskObjectVector.demo"],
                  (Json{{"0", price}, {"1", rate}, {"1.unreadable", c.rule}}));
        EXPECT_EQ(written["RiskObjectVector.second"], stored["RiskObjectVector.second"]);
        EXPECT_EQ(written["RiskCustoms"], Json::array({"demo", "second"}));
        EXPECT_EQ(written["RiskCustoms.unreadable"], "demo,second");
        // Read again, nothing is new to tell and the same is written.
        const auto again = Read(written);
        EXPECT_TRUE(again->GetUnreadablePlaces().empty());
        EXPECT_EQ(Stored(*again), written);
    }

    // A login's list that is no object: kept, and the login starts empty.
    const auto config = Read(Json{{"RiskObjectVector.demo", "0:5100"}, {"RiskCustoms", {"demo"}}});
    EXPECT_TRUE(config->GetRules("demo").empty());
    EXPECT_EQ(Stored(*config)["RiskObjectVector.demo.unreadable"], "0:5100");
}

TEST(RiskRuleStorage, SavingOneLoginThroughTheEditorConfigKeepsTheOthers)
{
    ScratchFolder folder;
    const wxString path = folder.File("config/editor.conf");
    {
        EditorConfig file(path);
        RiskParamsCustomConfig config;
        config.SetRules("second", {Rule('D', "", 100.0, true, true)});
        config.SetRules("demo", {Rule('A', wxString::FromUTF8("白银"), 5100, true, true, 'F')});
        ASSERT_TRUE(file.SaveObject(RiskParamsCustomConfig::kObjectName, &config));
    }
    {
        // The pane's save: read everything, replace one login's list.
        EditorConfig file(path);
        RiskParamsCustomConfig config;
        ASSERT_TRUE(file.LoadObject(RiskParamsCustomConfig::kObjectName, &config));
        config.SetRules("demo", {});
        ASSERT_TRUE(file.SaveObject(RiskParamsCustomConfig::kObjectName, &config));
    }
    EditorConfig file(path);
    RiskParamsCustomConfig config;
    ASSERT_TRUE(file.LoadObject(RiskParamsCustomConfig::kObjectName, &config));
    EXPECT_TRUE(config.GetRules("demo").empty());
    ASSERT_EQ(config.GetRules("second").size(), 1u);
    const RiskObject& kept = *config.GetRules("second")[0];
    EXPECT_EQ(kept.m_riskType, 'D');
    EXPECT_DOUBLE_EQ(kept.m_riskMaxVal, 100.0);
    EXPECT_TRUE(kept.m_bSound && kept.m_bWindow);
}

// --- Evaluation ---

struct EvaluatorFixture : ::testing::Test
{
    std::vector<std::pair<wxString, wxString>> lines;
    std::vector<size_t> changedRows;
    RiskEvaluator evaluator{
        [this](const wxString& title, const wxString& text) { lines.emplace_back(title, text); },
        [this](size_t row) { changedRows.push_back(row); }};
    FakeSoundPlayer* player = new FakeSoundPlayer;
    AlarmSound sound{std::unique_ptr<SoundPlayer>(player)};

    static user_Account Account(int key, char kind, double rate, double used = 0.0, double profit = 0.0)
    {
        user_Account account;
        account.accountKey = key;
        account.riskKind = kind;
        account.riskRate = rate;
        account.marginUsed = used;
        account.profitDyn = profit;
        return account;
    }
};

TEST_F(EvaluatorFixture, PriceRulesHoldAtOrAboveTheThresholdOfTheirSymbolOnly)
{
    RiskObjectVec rules{Rule('A', "X", 10.0), Rule('A', "Y", 10.0), Rule('B', "", 0.5)};
    evaluator.OnPrice(rules, "X", 10.0);
    EXPECT_TRUE(rules[0]->IsInAlarm());
    EXPECT_FALSE(rules[1]->IsInAlarm());
    EXPECT_EQ(rules[2]->m_riskFlag, "NoRisk");
    EXPECT_EQ(changedRows, std::vector<size_t>{0});

    // The same price again changes no row.
    evaluator.OnPrice(rules, "X", 10.5);
    EXPECT_EQ(changedRows.size(), 1u);
    evaluator.OnPrice(rules, "Y", 9.0);
    EXPECT_TRUE(rules[0]->IsInAlarm());
    evaluator.OnPrice(rules, "X", 9.99);
    EXPECT_FALSE(rules[0]->IsInAlarm());
    EXPECT_EQ(changedRows, (std::vector<size_t>{0, 0}));
}

TEST_F(EvaluatorFixture, RiskRateRulesFollowTheKindOfTheAccount)
{
    const struct
    {
        char kind;
        double rate;
        bool alarm;
    } cases[] = {{'1', 0.85, true}, {'1', 0.8, true},   {'1', 0.7, false},
                 {'2', 0.7, true},  {'2', 0.85, false}, {'3', 0.8, true}};
    for(const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << " " << c.rate);
        RiskObjectVec rules{Rule('B', "", 0.8)};
        const user_Account account = Account(11, c.kind, c.rate);
        evaluator.OnAccounts(rules, {&account});
        EXPECT_EQ(rules[0]->IsInAlarm(), c.alarm);
    }
}

TEST_F(EvaluatorFixture, MarginAndProfitRulesHoldAtOrAboveTheirThresholds)
{
    RiskObjectVec rules{Rule('C', "", 1000.0), Rule('D', "", 0.01), Rule('A', "AG", 1.0)};
    rules[2]->m_riskFlag = "YesRisk";
    const user_Account below = Account(11, '1', 0.1, 999.99, 0.0);
    evaluator.OnAccounts(rules, {&below});
    EXPECT_FALSE(rules[0]->IsInAlarm());
    EXPECT_FALSE(rules[1]->IsInAlarm());
    const user_Account at = Account(11, '1', 0.1, 1000.0, 0.01);
    evaluator.OnAccounts(rules, {&at});
    EXPECT_TRUE(rules[0]->IsInAlarm());
    EXPECT_TRUE(rules[1]->IsInAlarm());
    EXPECT_TRUE(rules[2]->IsInAlarm()); // price rules wait for prices
    const user_Account loss = Account(11, '1', 0.1, 0.0, -5000.0);
    evaluator.OnAccounts(rules, {&loss});
    EXPECT_FALSE(rules[1]->IsInAlarm());
}

TEST_F(EvaluatorFixture, AnAccountRuleHoldsWhileAnyAccountMeetsIt)
{
    RiskObjectVec rules{Rule('C', "", 1000.0)};
    user_Account a11 = Account(11, '1', 0.0, 2000.0);
    user_Account a12 = Account(12, '1', 0.0, 10.0);
    evaluator.OnAccounts(rules, {&a11, &a12});
    EXPECT_TRUE(rules[0]->IsInAlarm());
    a12.marginUsed = 20.0; // the other account changes
    evaluator.OnAccounts(rules, {&a11, &a12});
    EXPECT_TRUE(rules[0]->IsInAlarm());
    a11.marginUsed = 0.0;
    evaluator.OnAccounts(rules, {&a11, &a12});
    EXPECT_FALSE(rules[0]->IsInAlarm());
    evaluator.OnAccounts(rules, {});
    EXPECT_FALSE(rules[0]->IsInAlarm());
}

TEST_F(EvaluatorFixture, OneOutputLinePerEntryIntoAlarmForRulesWithWindow)
{
    RiskObjectVec rules{Rule('A', wxString::FromUTF8("白银"), 5100, false, true), Rule('A', "AG", 1)};
    const wxString silver = wxString::FromUTF8("白银");
    for(double price : {5100.0, 5200.0, 5100.0}) {
        evaluator.OnPrice(rules, silver, price);
    }
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], std::make_pair(wxString("mdWarning"), silver));
    evaluator.OnPrice(rules, silver, 5000.0);
    EXPECT_EQ(lines.size(), 1u);
    evaluator.OnPrice(rules, silver, 5100.0);
    EXPECT_EQ(lines.size(), 2u);
    evaluator.OnPrice(rules, "AG", 5.0); // no window: no line
    EXPECT_EQ(lines.size(), 2u);

    RiskObjectVec account{Rule('B', "", 0.8, false, true)};
    const user_Account risky = Account(11, '1', 0.9);
    evaluator.OnAccounts(account, {&risky});
    evaluator.OnAccounts(account, {&risky});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], std::make_pair(wxString("riskWarning"), wxString()));
}

TEST_F(EvaluatorFixture, TheTickPlaysOncePerRuleInAlarmWithSound)
{
    RiskObjectVec rules{Rule('A', "X", 10, true), Rule('A', "X", 10, false), Rule('A', "X", 20, true),
                        Rule('A', "Y", 10, true)};
    evaluator.OnAlarmTick(rules, &sound);
    EXPECT_TRUE(player->played.empty());
    evaluator.OnPrice(rules, "X", 15);
    evaluator.OnAlarmTick(rules, &sound);
    evaluator.OnAlarmTick(rules, &sound);
    EXPECT_EQ(player->played, std::vector<wxString>(2, AlarmSound::kFile));
    evaluator.OnPrice(rules, "X", 25);
    evaluator.OnAlarmTick(rules, &sound);
    EXPECT_EQ(player->played.size(), 4u);
    evaluator.OnAlarmTick(rules, nullptr); // no alarm sound made: silent
    rules.clear();
    evaluator.OnAlarmTick(rules, &sound);
    EXPECT_EQ(player->played.size(), 4u);
}

// --- Rows ---

TEST(RiskCustomPanelModel, RowsShowTheRulesTextsAndRulesInAlarmInRedItalic)
{
    RiskCustomPanelModel model(nullptr);
    model.AddRiskObject(Rule('A', wxString::FromUTF8("白银"), 5100, true, true, 'E'));
    model.AddRiskObject(Rule('D', "", 0.5));
    model.GetRiskObjVec()[1]->m_riskFlag = "YesRisk";
    const std::vector<wxString> first{"1",       "mdWarning",        wxString::FromUTF8("白银"),
                                      "5100.00", "buyRiskCondition", "warningBySoundwarningByWindow",
                                      "NoRisk"};
    const std::vector<wxString> second{"2", "floatProfitWarning", "", "0.50", "", "", "YesRisk"};
    ASSERT_EQ(model.GetColumnCount(), 7u);
    for(unsigned int column = 0; column < 7; ++column) {
        EXPECT_EQ(model.GetText(0, column), first[column]);
        EXPECT_EQ(model.GetText(1, column), second[column]);
        EXPECT_EQ(model.GetColumnType(column), "string");
    }
    wxDataViewItemAttr attr;
    EXPECT_FALSE(model.GetAttrByRow(0, 1, attr));
    ASSERT_TRUE(model.GetAttrByRow(1, 1, attr));
    EXPECT_EQ(attr.GetColour(), *wxRED);
    EXPECT_TRUE(attr.GetItalic());
    model.GetRiskObjVec()[0]->m_bSound = false;
    EXPECT_EQ(model.GetText(0, RiskCustomPanelModel::eColMeans), "warningByWindow");
    EXPECT_EQ(model.GetText(5, 1), "");
    EXPECT_FALSE(model.RemoveRow(2));
    EXPECT_TRUE(model.RemoveRow(0));
    EXPECT_EQ(model.GetCount(), 1u);
    EXPECT_EQ(model.GetText(0, 0), "1");
}

// --- Dialog choices ---

TEST(RiskParamsCustomDlgRules, ThresholdsThatAreNoPositiveFiniteNumberInRangeAreRefused)
{
    const struct
    {
        const char* text;
        bool taken;
        double value;
    } cases[] = {{"0", false, 0},         {"0.00", false, 0},       {"0.01", true, 0.01},
                 {" 5100 ", true, 5100},  {"-1", false, 0},         {"nan", false, 0},
                 {"inf", false, 0},       {"", false, 0},           {"12abc", false, 0},
                 {"10000000", true, 1e7}, {"10000000.01", false, 0}};
    for(const auto& c : cases) {
        SCOPED_TRACE(c.text);
        double value = -1.0;
        EXPECT_EQ(RiskParamsCustomDlg::ParseMaxValue(c.text, value), c.taken);
        if(c.taken) {
            EXPECT_DOUBLE_EQ(value, c.value);
        }
    }
}

TEST(RiskParamsCustomDlgRules, ItemsFollowTheBoardsOrderWithUnlistedCodesFirst)
{
    RecordStore db;
    db.CreateTables();
    const std::pair<const char*, const char*> symbols[] = {
        {"AG", "Silver"}, {"CU", "Copper"}, {"AU", "Gold"}, {"ZN", "Zinc"}};
    int id = 101;
    for(const auto& [code, name] : symbols) {
        symbol_Property property;
        property.symbolId = id++;
        property.symbolCode = code;
        property.symbolName = name;
        ASSERT_TRUE(db.m_symbol_Property_table->Insert(property).second);
    }
    const wxArrayString tableOrder = RiskParamsCustomDlg::SymbolNames(&db, wxArrayString());
    EXPECT_EQ(std::vector<wxString>(tableOrder.begin(), tableOrder.end()),
              (std::vector<wxString>{"Silver", "Copper", "Gold", "Zinc"}));
    wxArrayString board;
    board.Add("AU");
    board.Add("AG");
    const wxArrayString boardOrder = RiskParamsCustomDlg::SymbolNames(&db, board);
    EXPECT_EQ(std::vector<wxString>(boardOrder.begin(), boardOrder.end()),
              (std::vector<wxString>{"Copper", "Zinc", "Gold", "Silver"}));
    EXPECT_TRUE(RiskParamsCustomDlg::SymbolNames(nullptr, board).empty());
}

} // namespace
