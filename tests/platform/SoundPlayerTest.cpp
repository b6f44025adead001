// Sounds: the program's own WAV files, where a sound name is looked up, and
// silence without a file or a device, never an assertion.
#include "LogCapture.h"
#include "ScratchFolder.h"
#include "platform/SystemSoundPlayer.h"

#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/sound.h>

namespace {

const wxString kBinFolder = TESSRIN_BIN_DIR;

uint32_t LittleEndian(const std::vector<char>& bytes, size_t at, int width)
{
    uint32_t value = 0;
    for(int i = width - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

size_t CountWarnings(const LogCapture& log, const std::string& part)
{
    size_t count = 0;
    for(const std::string& line : log.lines) {
        count += line.find(part) != std::string::npos ? 1 : 0;
    }
    return count;
}

// The working folder for the life of the object.
class ScopedWorkingFolder
{
public:
    explicit ScopedWorkingFolder(const wxString& folder) : m_previous(wxGetCwd())
    {
        wxSetWorkingDirectory(folder);
    }
    ~ScopedWorkingFolder() { wxSetWorkingDirectory(m_previous); }

private:
    wxString m_previous;
};

TEST(SoundFilesTest, RemindAndAlarmAreShortAudible16BitMonoPcmWavFilesWxAccepts)
{
    for(const char* name : {"Remind.wav", "Alarm.wav"}) {
        const wxString path = kBinFolder + "/rc/" + name;
        std::ifstream in(path.fn_str(), std::ios::binary);
        ASSERT_TRUE(in) << path;
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_GT(bytes.size(), 44u) << name;
        EXPECT_EQ("RIFF", std::string(&bytes[0], 4));
        EXPECT_EQ(bytes.size() - 8, LittleEndian(bytes, 4, 4));
        EXPECT_EQ("WAVEfmt ", std::string(&bytes[8], 8));
        EXPECT_EQ(1u, LittleEndian(bytes, 20, 2)) << "PCM";
        EXPECT_EQ(1u, LittleEndian(bytes, 22, 2)) << "mono";
        const uint32_t rate = LittleEndian(bytes, 24, 4);
        EXPECT_EQ(16u, LittleEndian(bytes, 34, 2)) << "bits";
        EXPECT_EQ("data", std::string(&bytes[36], 4));
        const uint32_t dataBytes = LittleEndian(bytes, 40, 4);
        EXPECT_EQ(bytes.size() - 44, dataBytes);
        const double seconds = dataBytes / 2.0 / rate;
        EXPECT_GT(seconds, 0.2) << name;
        EXPECT_LT(seconds, 2.0) << name;
        int peak = 0;
        for(size_t at = 44; at + 1 < bytes.size(); at += 2) {
            peak = std::max(peak, std::abs(static_cast<int16_t>(LittleEndian(bytes, at, 2))));
        }
        EXPECT_GT(peak, 8000) << name << " is nearly silent";
        EXPECT_LT(peak, 32767) << name << " clips";
        wxSound sound;
        EXPECT_TRUE(sound.Create(path) && sound.IsOk()) << name;
    }
}

TEST(SystemSoundPlayerTest, NameIsLookedUpAsGivenThenBelowTheBinFolder)
{
    ScratchFolder work;
    ScopedWorkingFolder cwd(work.Path());
    SystemSoundPlayer player(kBinFolder);
    EXPECT_TRUE(wxFileName(player.Locate("rc//Remind.wav")).SameAs(kBinFolder + "/rc/Remind.wav"));
    EXPECT_TRUE(wxFileName(player.Locate("rc//Alarm.wav")).SameAs(kBinFolder + "/rc/Alarm.wav"));
    EXPECT_EQ("", player.Locate("rc//Missing.wav"));
    EXPECT_EQ("", player.Locate(""));

    // A file where the original looked (the working folder) comes first.
    wxMkdir(work.File("rc"));
    wxCopyFile(kBinFolder + "/rc/Alarm.wav", work.File("rc/Remind.wav"));
    EXPECT_TRUE(wxFileName(player.Locate("rc//Remind.wav")).SameAs(work.File("rc/Remind.wav")));
    EXPECT_TRUE(wxFileName(player.Locate(kBinFolder + "/rc/Alarm.wav")).SameAs(kBinFolder + "/rc/Alarm.wav"));

    SystemSoundPlayer withoutBin("");
    EXPECT_EQ("", withoutBin.Locate("rc//Alarm.wav"));
}

TEST(SystemSoundPlayerTest, MissingOrBrokenFilesPlayNothingAndAreLoggedOnce)
{
    ScratchFolder work;
    wxFFile(work.File("Broken.wav"), "w").Write("RIFF....not a wave file at all");
    SystemSoundPlayer player(work.Path());
    LogCapture log;
    for(int round = 0; round < 3; ++round) {
        EXPECT_FALSE(player.Play("rc//Missing.wav"));
        EXPECT_FALSE(player.PlayLoop("rc//Missing.wav"));
        EXPECT_FALSE(player.Play("Broken.wav"));
    }
    player.StopAll();
    EXPECT_EQ(1u, CountWarnings(log, "Missing.wav"));
    EXPECT_EQ(1u, CountWarnings(log, "Broken.wav"));
    EXPECT_EQ(2u, log.lines.size());
}

TEST(SystemSoundPlayerTest, PlayingWithoutADeviceStaysSilentAndSaysSoOnce)
{
    LogCapture log;
    {
        SystemSoundPlayer player(kBinFolder);
        const bool first = player.Play("rc//Remind.wav");
        const bool second = player.Play("rc//Remind.wav");
        const bool loop = player.PlayLoop("rc//Alarm.wav");
        EXPECT_EQ(first, second);
        EXPECT_EQ(first, loop);
        // On a machine with a sound device these play; here there is none.
        EXPECT_EQ(first ? 0u : 1u, CountWarnings(log, "no sound device"));
        player.StopAll();
        EXPECT_FALSE(wxSound::IsPlaying());
        EXPECT_EQ(first, player.PlayLoop("rc//Alarm.wav"));
    } // the destructor stops the loop it started
    EXPECT_FALSE(wxSound::IsPlaying());
}

} // namespace
