// The English catalogue against the source tree: every key the code hands to
// the translation lookup that is not plain English words, or starts in lower
// case, has an entry (the rule is at the top of TranslationKeyScanner.h), the
// server's error texts included, and entries keep the printf conversions of
// their keys. The tree is read when the test runs, so
// keys added on any branch are caught after a merge: rebuild, then run
// `ctest -R frame_TranslationCatalogueTest`. The failure lists each missing
// key with the file and line that uses it; its entry goes into
// plugins/tessrin/locale/en.po.
#include "TranslationKeyScanner.h"
#include "connection/ErrorTextTable.h"
#include "connection/ServerErrorTable.h"
#include "connection/TradeNotices.h"
#include "db/CodeTexts.h"
#include "frame/NoticeClick.h"

#include <PluginCatalogues.h>
#include <ScopedEnv.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <tuple>
#include <wx/translation.h>

namespace {

std::string EnvOr(const char* name, const char* otherwise)
{
    const char* value = std::getenv(name);
    return value ? value : otherwise;
}

std::string SourceDir()
{
    return EnvOr("TESSRIN_SOURCE_DIR", TESSRIN_SOURCE_FALLBACK);
}

std::string PluginsDir()
{
    return EnvOr("TESSRIN_BUILD_DIR", TESSRIN_BUILD_FALLBACK) + "/bin/plugins";
}

// The folders whose code reaches the lookup: the plug-in, the host it runs
// in, and the platform layers.
const TranslationKeyScanner& SourceTree()
{
    static const TranslationKeyScanner scanner = [] {
        TranslationKeyScanner scan;
        for(const char* folder : {"plugins", "pelmora", "platform", "chartlib", "varnel"}) {
            scan.ScanFolder(SourceDir() + "/" + folder);
        }
        return scan;
    }();
    return scanner;
}

// The process's translations for one test, loaded as the host loads them
// at start, and undone afterwards.
class EnglishCatalogue : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_loaded = PluginCatalogues::Load(PluginsDir());
        ASSERT_EQ(m_loaded.domains, wxArrayString(1, "Tessrin"))
            << "no compiled catalogue in " << PluginsDir();
    }
    void TearDown() override { wxTranslations::Set(nullptr); }

    // The catalogue's text of the key; null when it has no entry.
    static const wxString* Entry(const std::string& key)
    {
        return wxTranslations::Get()->GetTranslatedString(wxString::FromUTF8(key.c_str()), "Tessrin");
    }

    ScopedEnv m_language{"LANGUAGE", "en"}; // whatever the developer's own is
    PluginCatalogues::Loaded m_loaded;
};

} // namespace

TEST(TranslationKeyScanner, FindsTheKeysOfEveryLookupAndNothingInCommentsOrOtherLiterals)
{
    TranslationKeyScanner scanner;
    scanner.Scan("// _(\"InAComment\")\n"
                 "/* wxGetTranslation(\"InABlock\") */ auto a = _(\"firstKey\");\n"
                 "const char* b = \"_(\\\"InALiteral\\\")\"; char q = '\"';\n"
                 "auto c = wxGetTranslation(\"joined\" \"Key\\n\");\n"
                 "const Row rows[] = {{'1', wxTRANSLATE(\"tableKey\")}};\n"
                 "auto d = wxGetTranslation(rows[0].text); auto e = my_(\"notALookup\");\n",
                 "snippet.cpp");
    std::vector<std::string> keys;
    for(const TranslationKey& key : scanner.Keys()) {
        keys.push_back(key.key);
        EXPECT_EQ(key.file, "snippet.cpp");
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"firstKey", "joinedKey\n", "tableKey"}));
    ASSERT_EQ(scanner.Keys().size(), 3u);
    EXPECT_EQ(scanner.Keys()[0].line, 2);
    EXPECT_EQ(scanner.Keys()[1].line, 4);
    EXPECT_EQ(scanner.Keys()[2].line, 5);
    EXPECT_EQ(scanner.VariableLookups(), 1);
}

TEST(TranslationKeyScanner, PlainEnglishIsWordsOfOneCaseOrOneCapitalConversionsAndMnemonicsAside)
{
    const std::pair<const char*, bool> cases[] = {
        {"Account", true},
        {"search", true},
        {"OTC", true},
        {"Trading Day [%s]", true},
        {"New Order\tF9", true},
        {"E&xit", true},
        {"proportion of deposit[%s%%],used margin[%s]", true},
        {"mustn't transfer money between the same account!", true},
        {"------------", true},
        {"eAST_Normal", false},
        {"Col_Charge", false},
        {"systemSetting", false},
        {"ZaiPai", false},
        {"AccuProfit", false},
        {"IDCard:", false},
        {"salesReportSevr%d", false},
        {"[ %s ] AccStatus [%s]", false},
        {"\xe7\x99\xbd\xe9\x93\xb6", false}, // a Chinese text
    };
    for(const auto& [key, plain] : cases) {
        EXPECT_EQ(TranslationKeyScanner::IsPlainEnglish(key), plain) << key;
    }
    // Plain, but not to be shown as it stands: a lower-case start.
    const std::pair<const char*, bool> needs[] = {
        {"ok", true}, {"&cancel", true}, {"biggest diff", true}, {"E&xit", false}, {"%d stored", false}};
    for(const auto& [key, entry] : needs) {
        EXPECT_EQ(TranslationKeyScanner::NeedsEntry(key), entry) << key;
    }
}

TEST_F(EnglishCatalogue, EveryKeyThatNeedsAnEntryHasOne)
{
    const TranslationKeyScanner& tree = SourceTree();
    // A scan that found nothing would pass: it must see the keys of the
    // display-text helpers and of the windows.
    std::set<std::string> found;
    for(const TranslationKey& key : tree.Keys()) {
        found.insert(key.key);
    }
    ASSERT_GT(found.size(), 500u);
    for(const char* known :
        {"eAST_Normal", "eDELS_WaitDelivery", "seeUp", "ZaiPai", "mdWarning", "systemSetting"}) {
        ASSERT_EQ(found.count(known), 1u) << known;
    }
    std::map<std::string, std::string> missing; // key -> where it is used
    for(const TranslationKey& key : tree.Keys()) {
        if(TranslationKeyScanner::NeedsEntry(key.key) && !Entry(key.key)) {
            missing.emplace(key.key,
                            key.file.substr(SourceDir().size() + 1) + ":" + std::to_string(key.line));
        }
    }
    std::string list;
    for(const auto& [key, where] : missing) {
        list += "  \"" + key + "\"  (" + where + ")\n";
    }
    EXPECT_TRUE(missing.empty()) << missing.size() << " keys need an entry in plugins/tessrin/locale/en.po:\n"
                                 << list;
}

TEST_F(EnglishCatalogue, EntriesKeepTheConversionsOfTheirKeysInOrder)
{
    int checked = 0;
    for(const TranslationKey& key : SourceTree().Keys()) {
        const wxString* text = Entry(key.key);
        if(!text) {
            continue;
        }
        ++checked;
        EXPECT_EQ(TranslationKeyScanner::Conversions(text->utf8_string()),
                  TranslationKeyScanner::Conversions(key.key))
            << key.key << " -> " << text->utf8_string();
    }
    EXPECT_GT(checked, 250);
}

TEST_F(EnglishCatalogue, EveryServerErrorTextReadsEnglishHoweverItArrives)
{
    int texts = 0;
    for(const ServerErrorEntry* entry = ServerErrorTable; entry->code != 0 || entry->text[0] != '\0';
        ++entry, ++texts) {
        const wxString* english = Entry(entry->text);
        ASSERT_NE(english, nullptr) << entry->code << " " << entry->text;
        EXPECT_FALSE(TranslationKeyScanner::NeedsEntry(english->utf8_string())) << english->utf8_string();
    }
    EXPECT_EQ(texts, 213);

    ErrorTextTable table;
    table.InitErrorTexts();
    EXPECT_EQ(table.GetErrorText(94), "Wrong money password");
    EXPECT_EQ(table.GetErrorText(177), "Unknown error");
    // The server's own text; one cut to the 67 bytes of its field (at a
    // character, or mid character, which decodes to nothing); words of its own.
    const wxString long195 = table.GetErrorText(195);
    const std::tuple<int, wxString, wxString> messages[] = {
        {94, table.GetKeyText(94), "Wrong money password"},
        {195, table.GetKeyText(195).Left(22), long195},
        {195, wxString(), long195},
        {31, "gateway closed", "gateway closed"},
        {0, wxString(), wxString()},
    };
    for(const auto& [code, message, shown] : messages) {
        EXPECT_EQ(ServerMessageText(code, message, &table), shown) << code << " " << message;
    }
}

TEST_F(EnglishCatalogue, TheHostLoadsTheEnglishCatalogueBesideThePlugIn)
{
    EXPECT_EQ(m_loaded.language, "en");
    EXPECT_EQ(wxGetTranslation("eAST_Normal"), "Normal");
    EXPECT_EQ(wxGetTranslation("salesReportPanel"), "Sales Report");
    // No entry: the key itself.
    EXPECT_EQ(wxGetTranslation("Market Trade"), "Market Trade");
}

TEST_F(EnglishCatalogue, TranslatedNoticeLabelsStillNameTheirKindAndKey)
{
    // Each notice as the trade handlers write it, then clicked.
    const std::pair<TradeNotice, int> notices[] = {
        {CloseTradeNotice("C1", "XAU", 'b', 4500, 1, 1, 2), NoticeClick::eCloseTrade},
        {LimitCancelNotice("C2"), NoticeClick::eLimitCancel},
        {LimitTradeNotice("C3", "XAU", 's', 4500, 1, 1), NoticeClick::eLimitTrade},
        {LimitSetNotice("C4", "XAU", 'b', 4500, 1, 1), NoticeClick::eLimitSet},
        {MarketTradeNotice("C5", "XAU", 'b', 4500, 1, 1), NoticeClick::eMarketTrade},
        {InOutNotice('3', 100, '1'), NoticeClick::eInOutNotify},
        {MinOrderNotice("C7", "EUR", 'b', 7.8), NoticeClick::eMinOrderTrade},
    };
    for(const auto& [notice, kind] : notices) {
        SCOPED_TRACE(notice.title.utf8_string());
        const NoticeClick click = NoticeClick::Parse(notice.title);
        ASSERT_TRUE(click.IsValid());
        EXPECT_EQ(click.GetKind(), kind);
    }
    EXPECT_EQ(notices[5].first.title, "Money Notice[Adjustment]");
    EXPECT_EQ(notices[6].first.title, "Binary Option Trade[C7]");
    EXPECT_EQ(NoticeClick::Parse(notices[6].first.title).GetKey(), "C7");
}

TEST_F(EnglishCatalogue, DisplayTextsSeenAsKeysReadEnglish)
{
    const std::pair<wxString, const char*> texts[] = {
        {AccountStateText('1'), "Normal"},
        {AccountStateText('9'), "UNKNOW"}, // the default is no key
        {DeliveryStateText('0'), "Not for delivery"},
        {DeliveryStateText('2'), "Waiting for delivery"},
        {DeliveryConfirmStatusText('2'), "Confirmed"},
        {AmountTypeText('3'), "Adjustment"},
        {AmountTypeText('V'), "V"},
        {CloseTypeText('8'), "Rollover Close"},
        {wxGetTranslation("warningBySound") + wxGetTranslation("warningByWindow"), "Sound Window"},
    };
    for(const auto& [text, english] : texts) {
        EXPECT_EQ(text, english);
    }
}
