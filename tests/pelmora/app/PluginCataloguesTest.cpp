// The host's choice of the plug-ins' catalogues: the language the
// environment asks for when a plug-in has a catalogue in it, else English,
// else none (the keys as they stand). The catalogues are copies of the
// build's English one laid out as an installation would hold them.
#include "PluginCatalogues.h"

#include "ScopedEnv.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/translation.h>

namespace {

wxString BuiltEnglishCatalogue()
{
    const char* build = std::getenv("TESSRIN_BUILD_DIR");
    return wxString::FromUTF8(build ? build : TESSRIN_BUILD_FALLBACK) +
           "/bin/plugins/locale/en/LC_MESSAGES/Tessrin.mo";
}

class Installation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(wxFileName::FileExists(BuiltEnglishCatalogue()));
        // Only the library's name counts: lib<name>.so has the catalogue <name>.mo.
        wxFFile(m_folder.Path() + "/libTessrin.so", "w").Close();
    }
    void TearDown() override { wxTranslations::Set(nullptr); }

    void AddCatalogue(const wxString& language)
    {
        const wxString folder = m_folder.Path() + "/locale/" + language + "/LC_MESSAGES";
        ASSERT_TRUE(wxFileName::Mkdir(folder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL));
        ASSERT_TRUE(wxCopyFile(BuiltEnglishCatalogue(), folder + "/Tessrin.mo"));
    }

    ScratchFolder m_folder;
    ScopedEnv m_language{"LANGUAGE", ""};
    ScopedEnv m_all{"LC_ALL", ""};
    ScopedEnv m_messages{"LC_MESSAGES", ""};
};

} // namespace

TEST_F(Installation, TheEnvironmentsLanguagePicksItsCatalogueAndAnyOtherFallsBackToEnglish)
{
    AddCatalogue("en");
    AddCatalogue("fr");
    const std::pair<const char*, const char*> cases[] = {
        {"fr_FR.UTF-8", "fr"}, {"en_GB.UTF-8", "en"}, {"de_DE.UTF-8", "en"}, {"C.UTF-8", "en"}, {"", "en"}};
    for(const auto& [lang, language] : cases) {
        SCOPED_TRACE(lang);
        ScopedEnv environment("LANG", lang);
        const PluginCatalogues::Loaded loaded = PluginCatalogues::Load(m_folder.Path());
        EXPECT_EQ(loaded.language, language);
        EXPECT_EQ(loaded.domains, wxArrayString(1, "Tessrin"));
        EXPECT_EQ(wxGetTranslation("eAST_Normal"), "Normal");
    }
    // LANGUAGE comes before LANG, as gettext has it.
    ScopedEnv language("LANGUAGE", "fr");
    ScopedEnv lang("LANG", "de_DE.UTF-8");
    EXPECT_EQ(PluginCatalogues::Load(m_folder.Path()).language, "fr");
}

TEST_F(Installation, WithoutCataloguesTheKeysAreShownAsTheyStand)
{
    ScopedEnv lang("LANG", "C.UTF-8");
    const PluginCatalogues::Loaded loaded = PluginCatalogues::Load(m_folder.Path());
    EXPECT_TRUE(loaded.language.empty());
    EXPECT_TRUE(loaded.domains.empty());
    EXPECT_EQ(wxGetTranslation("eAST_Normal"), "eAST_Normal");
    // A missing plugins folder is no error either.
    EXPECT_TRUE(PluginCatalogues::Load(m_folder.Path() + "/nowhere").domains.empty());
}
