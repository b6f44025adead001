#include "pelmora/Archive.h"

#include "ScopedEnv.h"
#include "ScratchFolder.h"
#include "pelmora/EditorConfig.h"
#include "pelmora/SerializedObject.h"

#include <gtest/gtest.h>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <wx/ffile.h>
#include <wx/filename.h>

namespace {
// A rule with every kind of value the archive stores.
class Rule : public SerializedObject
{
public:
    void Serialize(Archive& arch) override
    {
        arch.Write("m_riskType", type);
        arch.Write("m_riskMaxVal", threshold);
        arch.Write("m_bSound", sound);
        arch.Write("m_count", count);
        arch.Write("m_big", big);
        arch.Write("m_items", items);
    }
    void DeSerialize(Archive& arch) override
    {
        arch.Read("m_riskType", type);
        arch.Read("m_riskMaxVal", threshold);
        arch.Read("m_bSound", sound);
        arch.Read("m_count", count);
        arch.Read("m_big", big);
        arch.Read("m_items", items);
    }
    wxString type;
    double threshold = 0.0;
    bool sound = false;
    int count = 0;
    long big = 0;
    wxArrayString items;
};

// Rules nested under "0", "1", ... until the first key that cannot be read.
class RuleList : public SerializedObject
{
public:
    void Serialize(Archive& arch) override
    {
        for(std::size_t i = 0; i < rules.size(); ++i) {
            arch.Write(wxString::Format("%d", static_cast<int>(i)), &rules[i]);
        }
    }
    void DeSerialize(Archive& arch) override
    {
        rules.clear();
        for(int i = 0;; ++i) {
            Rule rule;
            if(!arch.Read(wxString::Format("%d", i), &rule)) {
                break;
            }
            rules.push_back(rule);
        }
    }
    std::vector<Rule> rules;
};

Rule MakeRule(const wxString& type, double threshold)
{
    Rule rule;
    rule.type = type;
    rule.threshold = threshold;
    rule.sound = true;
    rule.count = -3;
    rule.big = 5000000000L;
    rule.items.Add("x");
    rule.items.Add(wxString::FromUTF8("黄金"));
    return rule;
}

void WriteText(const wxString& path, const std::string& text)
{
    wxFFile file(path, "wb");
    ASSERT_TRUE(file.IsOpened());
    file.Write(text.data(), text.size());
}
} // namespace

TEST(Archive, NestedObjectsRoundTripInKeyOrder)
{
    RuleList list;
    list.rules.push_back(MakeRule("mdWarning", 12.5));
    list.rules.push_back(MakeRule("riskWarning", 0.8));
    Archive arch;
    list.Serialize(arch);
    const std::string text = arch.GetElement().format(false).utf8_string();
    EXPECT_LT(text.find("\"0\""), text.find("\"1\""));
    EXPECT_LT(text.find("m_riskType"), text.find("m_riskMaxVal"));

    RuleList back;
    back.DeSerialize(arch);
    ASSERT_EQ(back.rules.size(), 2u);
    EXPECT_EQ(back.rules[1].type, "riskWarning");
    EXPECT_DOUBLE_EQ(back.rules[1].threshold, 0.8);
    EXPECT_TRUE(back.rules[0].sound);
    EXPECT_EQ(back.rules[0].count, -3);
    EXPECT_EQ(back.rules[0].big, 5000000000L);
    ASSERT_EQ(back.rules[0].items.size(), 2u);
    EXPECT_EQ(back.rules[0].items[1], wxString::FromUTF8("黄金"));
}

TEST(Archive, MissingKeyReadsFalseAndLeavesTheValue)
{
    Archive arch;
    wxString text = "unchanged";
    long number = 9;
    bool flag = true;
    wxArrayString list;
    list.Add("keep");
    Rule rule;
    EXPECT_FALSE(arch.Read("absent", text));
    EXPECT_FALSE(arch.Read("absent", number));
    EXPECT_FALSE(arch.Read("absent", flag));
    EXPECT_FALSE(arch.Read("absent", list));
    EXPECT_FALSE(arch.Read("absent", &rule));
    EXPECT_EQ(text, "unchanged");
    EXPECT_EQ(number, 9);
    EXPECT_TRUE(flag);
    EXPECT_EQ(list.size(), 1u);
}

TEST(Archive, ValueOfAnotherKindReadsFalse)
{
    Archive arch;
    arch.Write("text", "12");
    arch.Write("number", 12L);
    arch.Write("huge", 5000000000L);
    long number = 0;
    wxString text;
    bool flag = false;
    int small = 1;
    EXPECT_FALSE(arch.Read("text", number));
    EXPECT_FALSE(arch.Read("number", text));
    EXPECT_FALSE(arch.Read("number", flag));
    EXPECT_FALSE(arch.Read("huge", small));
    EXPECT_EQ(small, 1);
    EXPECT_FALSE(arch.Read("text", static_cast<SerializedObject*>(nullptr)));
}

TEST(Archive, RewritingAKeyKeepsItsPlace)
{
    Archive arch;
    arch.Write("a", 1);
    arch.Write("b", 2);
    arch.Write("a", 3);
    EXPECT_EQ(arch.GetElement().format(false).utf8_string(), R"({"a":3,"b":2})");
}

TEST(EditorConfig, ValuesAndObjectsSurviveARestart)
{
    ScratchFolder dir;
    ScopedEnv env("PELMORA_USER_DATA_DIR", dir.Path());
    EditorConfigST::Free();
    {
        EditorConfig* config = EditorConfigST::Get();
        EXPECT_EQ(config->GetFileName(), dir.File("config/editor.conf"));
        ASSERT_TRUE(config->SaveLongValue("LockScreenInterval", 120));
        ASSERT_TRUE(config->SaveStringValue("DblClickHoldDetailClose", "open"));
        RuleList list;
        list.rules.push_back(MakeRule("mdWarning", 3.25));
        ASSERT_TRUE(config->SaveObject("RiskCustomPanel", &list));
    }
    EditorConfigST::Free();

    EditorConfig* config = EditorConfigST::Get();
    long value = 0;
    ASSERT_TRUE(config->GetLongValue("LockScreenInterval", value));
    EXPECT_EQ(value, 120);
    EXPECT_EQ(config->GetStringValue("DblClickHoldDetailClose"), "open");
    RuleList list;
    ASSERT_TRUE(config->LoadObject("RiskCustomPanel", &list));
    ASSERT_EQ(list.rules.size(), 1u);
    EXPECT_DOUBLE_EQ(list.rules[0].threshold, 3.25);
    EditorConfigST::Free();
}

TEST(EditorConfig, AbsentEntriesReadAsNothing)
{
    ScratchFolder dir;
    EditorConfig config(dir.File("editor.conf"));
    long value = 77;
    EXPECT_FALSE(config.GetLongValue("orderPreConfirmChk", value));
    EXPECT_EQ(value, 77);
    EXPECT_TRUE(config.GetStringValue("showSoldBodyCandleStick").empty());
    Rule rule;
    rule.type = "untouched";
    EXPECT_FALSE(config.LoadObject("OrderDialog.AG", &rule));
    EXPECT_EQ(rule.type, "untouched");
}

TEST(EditorConfig, LongAndTextValuesOfOneKeyAreSeparate)
{
    ScratchFolder dir;
    EditorConfig config(dir.File("editor.conf"));
    ASSERT_TRUE(config.SaveLongValue("k", 1));
    ASSERT_TRUE(config.SaveStringValue("k", "text"));
    long value = 0;
    EXPECT_TRUE(config.GetLongValue("k", value));
    EXPECT_EQ(value, 1);
    EXPECT_EQ(config.GetStringValue("k"), "text");
}

TEST(EditorConfig, CorruptSettingsFileIsKeptAsideAndReplaced)
{
    ScratchFolder dir;
    const wxString path = dir.File("editor.conf");
    WriteText(path, "{\"longValues\":{\"a\":1}");
    EditorConfig config(path);
    long value = 0;
    EXPECT_FALSE(config.GetLongValue("a", value));
    ASSERT_TRUE(config.SaveLongValue("b", 2));
    EXPECT_TRUE(wxFileName::FileExists(path + ".corrupt"));
    EditorConfig again(path);
    EXPECT_TRUE(again.GetLongValue("b", value));
    EXPECT_EQ(value, 2);
}

TEST(EditorConfig, SavesOfTwoObjectsOverOneFileKeepEachOther)
{
    ScratchFolder dir;
    const wxString path = dir.File("editor.conf");
    EditorConfig first(path);
    EditorConfig second(path);
    ASSERT_TRUE(first.SaveLongValue("fromFirst", 1));
    ASSERT_TRUE(second.SaveLongValue("fromSecond", 2));
    EditorConfig check(path);
    long value = 0;
    EXPECT_TRUE(check.GetLongValue("fromFirst", value));
    EXPECT_TRUE(check.GetLongValue("fromSecond", value));
}

TEST(EditorConfig, SavesInABatchReachTheFileOnceWhenTheOutermostEnds)
{
    ScratchFolder dir;
    const wxString path = dir.File("editor.conf");
    EditorConfig config(path);
    ASSERT_TRUE(config.SaveLongValue("before", 1));
    {
        EditorConfig::SaveBatch outer(config);
        {
            EditorConfig::SaveBatch inner(config);
            ASSERT_TRUE(config.SaveLongValue("a", 2));
            RuleList list;
            list.rules.push_back(MakeRule("riskWarning", 0.8));
            ASSERT_TRUE(config.SaveObject("RiskCustomPanel", &list));
        }
        ASSERT_TRUE(config.SaveStringValue("b", "text"));
        // Another writer meanwhile: its value is merged, not lost.
        EditorConfig other(path);
        ASSERT_TRUE(other.SaveLongValue("fromOther", 3));
        long value = 0;
        EXPECT_TRUE(config.GetLongValue("a", value)) << "seen at once";
        EXPECT_EQ(value, 2);
        EXPECT_FALSE(EditorConfig(path).GetLongValue("a", value)) << "not yet in the file";
    }
    EditorConfig check(path);
    long value = 0;
    EXPECT_TRUE(check.GetLongValue("before", value));
    EXPECT_TRUE(check.GetLongValue("a", value));
    EXPECT_TRUE(check.GetLongValue("fromOther", value));
    EXPECT_EQ(check.GetStringValue("b"), "text");
    RuleList list;
    ASSERT_TRUE(check.LoadObject("RiskCustomPanel", &list));
    EXPECT_EQ(list.rules.size(), 1u);
}

TEST(EditorConfig, TemporaryFilesOfSavesThatNeverEndedAreRemovedAtTheStart)
{
    ScratchFolder dir;
    const wxString path = dir.File("editor.conf");
    const pid_t child = fork();
    if(child == 0) {
        _exit(0);
    }
    waitpid(child, nullptr, 0); // its pid is no process's now
    const wxString gone = wxString::Format("%s.tmp.%d.4", path, static_cast<int>(child));
    const wxString mine = wxString::Format("%s.tmp.%d.1", path, static_cast<int>(getpid()));
    const wxString parent = wxString::Format("%s.tmp.%d.1", path, static_cast<int>(getppid()));
    const wxString foreign[] = {parent, path + ".tmp.notours", dir.File("other.conf.tmp.1.1")};
    for(const wxString& file : {gone, mine, foreign[0], foreign[1], foreign[2]}) {
        WriteText(file, "{\"half\":");
    }
    EditorConfig config(path);
    EXPECT_FALSE(wxFileName::FileExists(gone));
    EXPECT_FALSE(wxFileName::FileExists(mine));
    for(const wxString& file : foreign) {
        EXPECT_TRUE(wxFileName::FileExists(file)) << file << ": a live writer's, or no save's of this file";
    }
}

TEST(EditorConfig, ALongBeyondItsRangeIsRefusedNotWrapped)
{
    ScratchFolder dir;
    const wxString path = dir.File("editor.conf");
    WriteText(path, R"({"longValues":{"big":18446744073709551615,"fine":-5}})");
    EditorConfig config(path);
    long value = 7;
    EXPECT_FALSE(config.GetLongValue("big", value));
    EXPECT_EQ(value, 7);
    EXPECT_TRUE(config.GetLongValue("fine", value));
    EXPECT_EQ(value, -5);
}
