#include "pelmora/clConfig.h"

#include "ScratchFolder.h"
#include "pelmora/EditorConfig.h"
#include "pelmora/JSONRoot.h"
#include "pelmora/clConfigItem.h"

#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wx/dir.h>
#include <wx/ffile.h>

namespace {
void WriteText(const wxString& path, const std::string& text)
{
    wxFFile file(path, "wb");
    ASSERT_TRUE(file.IsOpened());
    file.Write(text.data(), text.size());
}

std::string ReadText(const wxString& path)
{
    wxFFile file(path, "rb");
    wxString text;
    if(!file.IsOpened() || !file.ReadAll(&text, wxConvUTF8)) {
        return std::string();
    }
    return text.utf8_string();
}

// A list of names stored as a JSON array under the item's name.
class NameList : public clConfigItem
{
public:
    NameList() : clConfigItem("server") {}
    void FromJSON(const JSONElement& json) override
    {
        names.clear();
        for(int i = 0; i < json.arraySize(); ++i) {
            names.Add(json.arrayItem(i).namedObject("name").toString());
        }
    }
    JSONElement ToJSON() const override
    {
        JSONElement arr = JSONElement::createArray(GetName());
        for(const wxString& name : names) {
            JSONElement obj = JSONElement::createObject();
            obj.addProperty("name", name);
            arr.arrayAppend(obj);
        }
        return arr;
    }
    wxArrayString names;
};

wxArrayString Files(const wxString& dir)
{
    wxArrayString files;
    wxDir::GetAllFiles(dir, &files, wxEmptyString, wxDIR_FILES);
    files.Sort();
    return files;
}
} // namespace

TEST(clConfig, MissingFileReadsDefaultsAndItemsAreLeftAlone)
{
    ScratchFolder dir;
    clConfig config(dir.File("config/Tessrin.con"));
    EXPECT_FALSE(config.Read("HideStoreOrderPane", false));
    EXPECT_TRUE(config.Read("showErrMsgBox", true));
    EXPECT_EQ(config.Read("defaultPointDiff", 20), 20);
    EXPECT_EQ(config.Read("markets", ""), "");
    NameList item;
    item.names.Add("kept");
    EXPECT_FALSE(config.ReadItem(&item));
    ASSERT_EQ(item.names.size(), 1u);
    // Reading never creates the file.
    EXPECT_FALSE(wxFileName::FileExists(dir.File("config/Tessrin.con")));
}

TEST(clConfig, TextDefaultGivenAsLiteralReadsTextNotBool)
{
    ScratchFolder dir;
    WriteText(dir.File("c.con"), R"({"BiMode":"2","ShowMultiMargin":true,"defaultPointDiff":35})");
    clConfig config(dir.File("c.con"));
    EXPECT_EQ(config.Read("BiMode", "1"), "2");
    EXPECT_EQ(config.Read("QuickBtnColours", "#FF8040,#4080F0,#40FF80"), "#FF8040,#4080F0,#40FF80");
    EXPECT_EQ(config.Read("ShowMultiMargin", "false"), "true");
    EXPECT_EQ(config.Read("defaultPointDiff", wxString("0")), "35");
    EXPECT_EQ(config.Read("defaultPointDiff", 20), 35);
}

TEST(clConfig, ReadItemFillsTheItemUnderItsOwnOrAnotherName)
{
    ScratchFolder dir;
    WriteText(dir.File("c.con"), R"({"server":[{"name":"A"},{"name":"B"}],"backup":[{"name":"C"}]})");
    clConfig config(dir.File("c.con"));
    NameList item;
    ASSERT_TRUE(config.ReadItem(&item));
    ASSERT_EQ(item.names.size(), 2u);
    EXPECT_EQ(item.names[1], "B");
    ASSERT_TRUE(config.ReadItem(&item, "backup"));
    ASSERT_EQ(item.names.size(), 1u);
    EXPECT_EQ(item.names[0], "C");
}

TEST(clConfig, WriteItemReplacesOneMemberAndKeepsForeignOnesInOrder)
{
    ScratchFolder dir;
    const wxString path = dir.File("storeorder.con");
    WriteText(path, R"({"StoreOrder":{"7":[{"storeCode":"S"}]},"server":[{"name":"old"}],"extra":{"x":1}})");
    clConfig config(path);
    NameList item;
    item.names.Add("new1");
    item.names.Add("new2");
    ASSERT_TRUE(config.WriteItem(&item));

    JSONRoot written{wxFileName(path)};
    ASSERT_TRUE(written.isOk());
    EXPECT_EQ(
        written.toElement().format(false).utf8_string(),
        R"({"StoreOrder":{"7":[{"storeCode":"S"}]},"server":[{"name":"new1"},{"name":"new2"}],"extra":{"x":1}})");
    // The writer's own view follows the write.
    NameList back;
    ASSERT_TRUE(config.ReadItem(&back));
    EXPECT_EQ(back.names.size(), 2u);
}

TEST(clConfig, WriteKeepsMembersAnotherObjectWroteMeanwhile)
{
    ScratchFolder dir;
    const wxString path = dir.File("storeorder.con");
    clConfig first(path, true);
    clConfig second(path);
    ASSERT_TRUE(second.Write("StoreNames", "north,south"));
    NameList item;
    item.names.Add("A");
    ASSERT_TRUE(first.WriteItem(&item, "HangOrder"));

    clConfig check(path);
    EXPECT_EQ(check.Read("StoreNames", ""), "north,south");
    NameList back;
    EXPECT_TRUE(check.ReadItem(&back, "HangOrder"));
}

TEST(clConfig, CreateIfMissingWritesAnEmptyObjectFile)
{
    ScratchFolder dir;
    const wxString path = dir.File("deep/er/new.con");
    clConfig config(path, true);
    ASSERT_TRUE(wxFileName::FileExists(path));
    EXPECT_TRUE(JSONRoot(wxFileName(path)).isOk());
}

TEST(clConfig, CorruptFileReadsEmptyAndIsKeptAsideBeforeTheFirstWrite)
{
    ScratchFolder dir;
    const wxString path = dir.File("Tessrin.con");
    const std::string corrupt = R"({"server":[{"name":"A"}, oops)";
    WriteText(path, corrupt);
    clConfig config(path);
    EXPECT_EQ(config.Read("markets", "none"), "none");
    NameList item;
    EXPECT_FALSE(config.ReadItem(&item));
    // Reading alone moves nothing.
    EXPECT_EQ(ReadText(path), corrupt);
    EXPECT_FALSE(wxFileName::FileExists(path + ".corrupt"));

    ASSERT_TRUE(config.Write("markets", "3,5"));
    EXPECT_EQ(ReadText(path + ".corrupt"), corrupt);
    EXPECT_EQ(clConfig(path).Read("markets", ""), "3,5");
}

TEST(clConfig, ASecondCorruptFileDoesNotOverwriteTheFirstKeptCopy)
{
    ScratchFolder dir;
    const wxString path = dir.File("c.con");
    WriteText(path, "first broken");
    ASSERT_TRUE(clConfig(path).Write("a", 1));
    WriteText(path, "[\"an array is no configuration\"]");
    ASSERT_TRUE(clConfig(path).Write("b", 2));
    EXPECT_EQ(ReadText(path + ".corrupt"), "first broken");
    EXPECT_EQ(ReadText(path + ".corrupt.2"), "[\"an array is no configuration\"]");
}

TEST(clConfig, FileCorruptedAfterReadingIsKeptAsideAndTheReadValuesSurvive)
{
    ScratchFolder dir;
    const wxString path = dir.File("c.con");
    WriteText(path, R"({"keep":"me"})");
    clConfig config(path);
    WriteText(path, "{garbage");
    ASSERT_TRUE(config.Write("added", 1));
    EXPECT_EQ(ReadText(path + ".corrupt"), "{garbage");
    clConfig check(path);
    EXPECT_EQ(check.Read("keep", ""), "me");
    EXPECT_EQ(check.Read("added", 0), 1);
}

TEST(clConfig, WritingLeavesNoTemporaryFilesBehind)
{
    ScratchFolder dir;
    const wxString path = dir.File("c.con");
    clConfig config(path);
    for(int i = 0; i < 5; ++i) {
        ASSERT_TRUE(config.Write("n", i));
    }
    const wxArrayString files = Files(dir.Path());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0], path);
}

TEST(clConfig, WriteIntoAnUnwritableFolderFailsAndKeepsTheOldFile)
{
    if(geteuid() == 0) {
        GTEST_SKIP() << "root writes anywhere";
    }
    ScratchFolder dir;
    const wxString path = dir.File("c.con");
    WriteText(path, R"({"a":1})");
    ASSERT_EQ(chmod(dir.Path().fn_str(), 0555), 0);
    clConfig config(path);
    EXPECT_FALSE(config.Write("a", 2));
    chmod(dir.Path().fn_str(), 0755);
    EXPECT_EQ(clConfig(path).Read("a", 0), 1);
}

namespace {
// The configuration layer's log records, "<level> <text>", while it lives.
class ConfigLog : public wxLog
{
public:
    ConfigLog() : m_previous(wxLog::SetActiveTarget(this)) {}
    ~ConfigLog() override { wxLog::SetActiveTarget(m_previous); }
    bool Has(wxLogLevel level, const std::string& start) const
    {
        return std::any_of(records.begin(), records.end(), [&](const std::string& record) {
            return record.rfind(std::to_string(level) + " " + start, 0) == 0;
        });
    }
    std::vector<std::string> records;

protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info) override
    {
        if(info.component && std::string(info.component) == clConfig::kLogComponent) {
            records.push_back(std::to_string(level) + " " + msg.utf8_string());
        }
    }

private:
    wxLog* m_previous;
};
} // namespace

TEST(clConfig, AFileThatCannotBeReadOrWrittenIsLeftAsItIsAndLoggedForTheUser)
{
    ScratchFolder dir;
    ConfigLog log;
    // A folder in the file's place: it opens, and reading fails.
    const wxString folder = dir.File("editor.conf");
    ASSERT_TRUE(wxFileName::Mkdir(folder));
    EditorConfig settings(folder);
    EXPECT_FALSE(settings.SaveLongValue("kept", 5));
    long kept = 0;
    EXPECT_TRUE(settings.GetLongValue("kept", kept) && kept == 5) << "kept in memory for this run";
    EXPECT_TRUE(wxFileName::DirExists(folder) && Files(dir.Path()).empty());
    ASSERT_GE(log.records.size(), 2u);
    EXPECT_TRUE(log.Has(wxLOG_Error, "Cannot read the settings file " + folder.utf8_string()));
    EXPECT_EQ(log.records[1], log.records[0]) << "in the same words each time";

    // A write the disk refuses (as full): the old file stays.
    const wxString path = dir.File("c.con");
    WriteText(path, R"({"a":1})");
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit full = old;
    full.rlim_cur = 8;
    const auto signal = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &full);
    const bool written = clConfig(path).Write("a", std::string(100, '2'));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, signal);
    EXPECT_FALSE(written);
    EXPECT_EQ(clConfig(path).Read("a", 0), 1);
    EXPECT_TRUE(log.Has(wxLOG_Error, "Cannot write " + path.utf8_string()));
}

TEST(clConfig, HostileShapesReadSafely)
{
    ScratchFolder dir;
    ConfigLog log;
    const std::string deep = std::string(200000, '[') + std::string(200000, ']');
    const std::string server = R"({"server": [{"name": "A"}], "errors": )" + deep + "}";
    const wxString path = dir.File("Tessrin.con");
    WriteText(path, server);
    clConfig config(path);
    NameList names;
    ASSERT_TRUE(config.ReadItem(&names));
    EXPECT_EQ(names.names, wxArrayString(1, "A"));
    EXPECT_EQ(config.Read("errors", "none"), "none");
    ASSERT_TRUE(config.Write("markets", "3"));
    EXPECT_EQ(ReadText(path + ".corrupt"), server);
    EXPECT_TRUE(log.Has(wxLOG_Warning, "The entry \"errors\" of the settings file " + path.utf8_string()));
    EXPECT_TRUE(log.Has(wxLOG_Warning, "Kept the settings file " + path.utf8_string()));

    // In the settings the entries are one level lower: the others stay.
    const wxString settings = dir.File("editor.conf");
    WriteText(settings, R"({"longValues": {"n": 4, "deep": )" + deep + "}}");
    EditorConfig editor(settings);
    long n = 0;
    EXPECT_TRUE(editor.GetLongValue("n", n) && n == 4);
    EXPECT_TRUE(log.Has(wxLOG_Warning, "The entry \"longValues/deep\" of the settings file "));

    // A document from elsewhere that deep is no JSON to read.
    EXPECT_FALSE(JSONRoot(wxString(deep)).isOk());
    EXPECT_TRUE(JSONRoot(wxString(std::string(100, '[') + std::string(100, ']'))).isOk());
    // A repeated key keeps its first place and the last value, in objects
    // small and large.
    for(const int members : {3, 40}) {
        std::string text = "{";
        for(int i = 0; i < members; ++i) {
            text += "\"k" + std::to_string(i) + "\": " + std::to_string(i) + ", ";
        }
        const JSONElement::Json read = JSONRoot(wxString(text + R"("k1": "last"})")).toElement().value();
        ASSERT_EQ(read.size(), static_cast<size_t>(members));
        EXPECT_EQ(std::next(read.begin()).key(), "k1");
        EXPECT_EQ(*std::next(read.begin()), "last");
    }
}
