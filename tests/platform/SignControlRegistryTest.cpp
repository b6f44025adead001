#include "platform/SignControlRegistry.h"

#include "ScratchFolder.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/utils.h>

namespace {

void WriteFile(const wxString& path, const std::string& bytes)
{
    wxFFile file(path, "wb");
    ASSERT_TRUE(file.IsOpened()) << path;
    ASSERT_EQ(bytes.size(), file.Write(bytes.data(), bytes.size()));
}

size_t CountFiles(const wxString& folder)
{
    wxArrayString files;
    return wxDir::Exists(folder) ? wxDir::GetAllFiles(folder, &files, "", wxDIR_FILES | wxDIR_HIDDEN) : 0;
}

const char kProgId[] = "NetSign.InfoSecNetSign";
const char kClassId[] = "62B938C4-4190-4F37-8CF0-A92B0A91CC77";

class SignControlRegistryTest : public ::testing::Test
{
protected:
    SignControlRegistryTest() : m_registry(m_scratch.File("controls"))
    {
        WriteFile(m_scratch.File("NetSign.js"), "return function (c) { c.version = 1; };\n");
    }

    wxLogNull m_quiet; // refusals are logged; the results are what is checked
    ScratchFolder m_scratch;
    SignControlRegistry m_registry;
};

TEST_F(SignControlRegistryTest, RegisteredControlCanBeCreatedUntilItsFileIsGone)
{
    EXPECT_FALSE(m_registry.CanCreate(kProgId)) << "no entry yet";
    ASSERT_TRUE(m_registry.Register(kProgId, kClassId, m_scratch.File("NetSign.js")));
    EXPECT_TRUE(m_registry.CanCreate(kProgId));
    EXPECT_FALSE(m_registry.CanCreate("NetSign.Other"));

    const auto control = m_registry.Load(kProgId);
    ASSERT_TRUE(control);
    EXPECT_EQ(kClassId, control->classId);
    EXPECT_EQ("return function (c) { c.version = 1; };\n", control->source);
    EXPECT_TRUE(wxFileExists(m_scratch.File("NetSign.js"))) << "the source is copied, not moved";

    ASSERT_TRUE(wxRemoveFile(m_scratch.File("controls/NetSign.InfoSecNetSign.js")));
    EXPECT_FALSE(m_registry.CanCreate(kProgId)) << "an entry whose control file is gone";
    EXPECT_TRUE(m_registry.LoadAll().empty());
}

TEST_F(SignControlRegistryTest, FailedCopyWritesNoEntryAndKeepsAnEarlierRegistration)
{
    EXPECT_FALSE(m_registry.Register(kProgId, kClassId, m_scratch.File("missing.js")));
    EXPECT_EQ(0u, CountFiles(m_registry.GetFolder()));
    EXPECT_FALSE(m_registry.CanCreate(kProgId));

    // A folder that cannot be made: the parent is a file.
    WriteFile(m_scratch.File("blocked"), "x");
    SignControlRegistry blocked(m_scratch.File("blocked/controls"));
    EXPECT_FALSE(blocked.Register(kProgId, kClassId, m_scratch.File("NetSign.js")));
    EXPECT_FALSE(blocked.CanCreate(kProgId));

    ASSERT_TRUE(m_registry.Register(kProgId, kClassId, m_scratch.File("NetSign.js")));
    EXPECT_FALSE(m_registry.Register(kProgId, kClassId, m_scratch.File("missing.js")));
    const auto control = m_registry.Load(kProgId);
    ASSERT_TRUE(control) << "a failed re-registration leaves the working one";
    EXPECT_EQ("return function (c) { c.version = 1; };\n", control->source);
}

TEST_F(SignControlRegistryTest, RegisteringTwiceKeepsOneEntryWithTheNewControl)
{
    ASSERT_TRUE(m_registry.Register(kProgId, kClassId, m_scratch.File("NetSign.js")));
    WriteFile(m_scratch.File("NetSign2.js"), "return function (c) { c.version = 2; };\n");
    ASSERT_TRUE(m_registry.Register(kProgId, "{62b938c4-4190-4f37-8cf0-a92b0a91cc77}",
                                    m_scratch.File("NetSign2.js")));

    EXPECT_EQ(2u, CountFiles(m_registry.GetFolder())) << "one entry and one control file, no temporaries";
    const auto controls = m_registry.LoadAll();
    ASSERT_EQ(1u, controls.size());
    EXPECT_EQ(kProgId, controls[0].progId);
    EXPECT_EQ(kClassId, controls[0].classId) << "class ids are stored in one form";
    EXPECT_EQ("return function (c) { c.version = 2; };\n", controls[0].source);
}

TEST_F(SignControlRegistryTest, MalformedNamesAreRefusedBeforeAnythingIsWritten)
{
    struct Case
    {
        const char* progId;
        const char* classId;
    };
    const Case cases[] = {
        {"", kClassId},
        {"../escape", kClassId},
        {"a/b", kClassId},
        {".hidden", kClassId},
        {"Net Sign", kClassId},
        {kProgId, ""},
        {kProgId, "62B938C4-4190-4F37-8CF0"},
        {kProgId, "62B938C4-4190-4F37-8CF0-A92B0A91CC7G"},
        {kProgId, "{62B938C4-4190-4F37-8CF0-A92B0A91CC77"},
        {kProgId, "62B938C4-4190-4F37-8CF0-A92B0A91CC77\";alert(1);\""},
    };
    for(const Case& c : cases) {
        EXPECT_FALSE(
            m_registry.Register(wxString::FromUTF8(c.progId), c.classId, m_scratch.File("NetSign.js")))
            << c.progId << " / " << c.classId;
    }
    EXPECT_EQ(0u, CountFiles(m_registry.GetFolder()));
}

TEST_F(SignControlRegistryTest, EntriesThatPointOutsideTheFolderOrAreBrokenAreNotCreatable)
{
    ASSERT_TRUE(wxFileName::Mkdir(m_registry.GetFolder()));
    WriteFile(m_scratch.File("secret.js"), "return function () {};");
    const struct
    {
        const char* progId;
        const char* entry;
    } cases[] = {
        {"Outside",
         R"({"progId":"Outside","classId":"62B938C4-4190-4F37-8CF0-A92B0A91CC77","file":"../secret.js"})"},
        {"Absolute",
         R"({"progId":"Absolute","classId":"62B938C4-4190-4F37-8CF0-A92B0A91CC77","file":"/etc/hostname"})"},
        {"BadClass", R"({"progId":"BadClass","classId":"nope","file":"BadClass.js"})"},
        {"NotJson", "progId=NotJson"},
        {"NoFile", R"({"progId":"NoFile","classId":"62B938C4-4190-4F37-8CF0-A92B0A91CC77"})"},
    };
    for(const auto& c : cases) {
        WriteFile(m_registry.GetFolder() + "/" + c.progId + ".json", c.entry);
        WriteFile(m_registry.GetFolder() + "/" + c.progId + ".js", "return function () {};");
        EXPECT_FALSE(m_registry.CanCreate(c.progId)) << c.progId;
    }
    EXPECT_TRUE(m_registry.LoadAll().empty());
}

TEST(SignControlRegistryFolder, EnvironmentChoosesTheFolder)
{
    struct Case
    {
        const char* controls; // nullptr: unset
        const char* dataHome;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"/srv/controls", "/data", "/home/u", "/srv/controls"},
        {"", "/data", "/home/u", "/data/pelmora/sign-controls"},
        {nullptr, "/data", "/home/u", "/data/pelmora/sign-controls"},
        {nullptr, nullptr, "/home/u", "/home/u/.local/share/pelmora/sign-controls"},
        {nullptr, "relative/dir", "/home/u", "/home/u/.local/share/pelmora/sign-controls"},
    };
    const char* names[] = {"PELMORA_SIGN_CONTROLS", "XDG_DATA_HOME", "HOME"};
    std::string saved[3];
    bool had[3];
    for(int i = 0; i < 3; ++i) {
        const char* value = std::getenv(names[i]);
        had[i] = value != nullptr;
        saved[i] = value ? value : "";
    }
    for(const Case& c : cases) {
        const char* values[] = {c.controls, c.dataHome, c.home};
        for(int i = 0; i < 3; ++i) {
            values[i] ? setenv(names[i], values[i], 1) : unsetenv(names[i]);
        }
        EXPECT_EQ(c.expected, SignControlRegistry::DefaultFolder().utf8_string());
    }
    for(int i = 0; i < 3; ++i) {
        had[i] ? setenv(names[i], saved[i].c_str(), 1) : unsetenv(names[i]);
    }
}

} // namespace
