#include "pelmora/BitmapLoader.h"
#include "pelmora/DrawingUtils.h"
#include "pelmora/SafeKeyboard.h"
#include "pelmora/pmColourButton.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

namespace {
wxString ShippedImages()
{
    wxString source;
    wxGetEnv("TESSRIN_SOURCE_DIR", &source);
    return source + "/pelmora/app/data/images";
}

class ControlsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "controls");
        m_frame->Show();
    }
    void TearDown() override
    {
        m_frame->Destroy();
        wxTheApp->ProcessIdle();
    }
    wxFrame* m_frame = nullptr;
};

TEST(BitmapLoaderTest, TheConnectionIconsShipAsSixteenPixelPngs)
{
    BitmapLoader loader(ShippedImages());
    for(const char* name : {"common/16/unlogin", "common/16/login_success", "common/16/login_failed"}) {
        const wxBitmap bitmap = loader.LoadBitmap(name);
        ASSERT_TRUE(bitmap.IsOk()) << name;
        EXPECT_EQ(wxSize(16, 16), bitmap.GetSize()) << name;
        EXPECT_TRUE(bitmap.HasAlpha()) << name; // drawn from the file, not the placeholder
    }
}

TEST(BitmapLoaderTest, AMissingImageGetsAPlaceholderOfTheNamedSize)
{
    BitmapLoader loader(ShippedImages());
    const wxBitmap chart = loader.LoadBitmap("output-pane/24/chart");
    ASSERT_TRUE(chart.IsOk());
    EXPECT_EQ(wxSize(24, 24), chart.GetSize());
    const wxBitmap report = loader.LoadBitmap("output-pane/16/Sales_report");
    ASSERT_TRUE(report.IsOk());
    EXPECT_EQ(wxSize(16, 16), report.GetSize());
    const wxBitmap unsized = loader.LoadBitmap("no/size/given");
    ASSERT_TRUE(unsized.IsOk());
    EXPECT_EQ(wxSize(16, 16), unsized.GetSize());
    // A name that reaches out of the folder is never read.
    EXPECT_FALSE(loader.LoadBitmap("../16/unlogin").HasAlpha());
}

TEST(BitmapLoaderTest, PlaceholdersOfDifferentNamesLookDifferent)
{
    const wxImage zoomIn = BitmapLoader::MakePlaceholder("toolbars/24/tessrin/zoom_in").ConvertToImage();
    const wxImage zoomOut = BitmapLoader::MakePlaceholder("toolbars/24/tessrin/zoom_out").ConvertToImage();
    const wxImage again = BitmapLoader::MakePlaceholder("toolbars/24/tessrin/zoom_in").ConvertToImage();
    ASSERT_EQ(zoomIn.GetSize(), zoomOut.GetSize());
    const size_t bytes = static_cast<size_t>(zoomIn.GetWidth() * zoomIn.GetHeight() * 3);
    EXPECT_NE(0, memcmp(zoomIn.GetData(), zoomOut.GetData(), bytes));
    EXPECT_EQ(0, memcmp(zoomIn.GetData(), again.GetData(), bytes));
}

TEST(BitmapLoaderTest, ABrokenFileGetsThePlaceholder)
{
    const wxString folder = wxFileName::CreateTempFileName("pelmora-images");
    wxRemoveFile(folder);
    ASSERT_TRUE(wxFileName::Mkdir(folder + "/common/16", wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL));
    wxFFile(folder + "/common/16/broken.png", "w").Write("not a png");
    BitmapLoader loader(folder);
    const wxBitmap bitmap = loader.LoadBitmap("common/16/broken");
    EXPECT_TRUE(bitmap.IsOk());
    EXPECT_EQ(wxSize(16, 16), bitmap.GetSize());
    wxFileName::Rmdir(folder, wxPATH_RMDIR_RECURSIVE);
}

TEST(DrawingUtilsTest, ColourArithmeticStaysInRangeAndReadsDarkness)
{
    EXPECT_TRUE(DrawingUtils::IsDark(wxColour(20, 20, 20)));
    EXPECT_FALSE(DrawingUtils::IsDark(wxColour(230, 230, 230)));
    EXPECT_EQ(wxColour(255, 255, 255), DrawingUtils::LightColour(wxColour(10, 200, 90), 50.0f));
    EXPECT_EQ(wxColour(0, 0, 0), DrawingUtils::DarkColour(wxColour(10, 200, 90), 50.0f));
    const wxColour base(100, 100, 100);
    EXPECT_EQ(base, DrawingUtils::LightColour(base, 0.0f));
    const wxColour lighter = DrawingUtils::LightColour(base, 2.0f);
    const wxColour darker = DrawingUtils::DarkColour(base, 2.0f);
    EXPECT_GT(lighter.Red(), base.Red());
    EXPECT_LT(lighter.Red(), 255);
    EXPECT_LT(darker.Red(), base.Red());
    EXPECT_GT(darker.Red(), 0);
    EXPECT_NE(DrawingUtils::GetGlobalUpColour(), DrawingUtils::GetGlobalDownColour());
    EXPECT_TRUE(DrawingUtils::GetPanelBgColour().IsOk());
}

TEST_F(ControlsTest, AColourButtonClickSendsAButtonEventOnlyWhenEnabled)
{
    auto* button =
        new pmColourButton(m_frame, wxID_ANY, "buy", wxDefaultPosition, wxDefaultSize, wxBORDER_NONE);
    button->SetBackgroundColour(wxColour(255, 147, 255));
    button->SetForegroundColour(wxColour(255, 0, 255));
    int clicks = 0;
    m_frame->Bind(
        wxEVT_BUTTON, [&clicks](wxCommandEvent&) { ++clicks; }, button->GetId());
    button->Click();
    EXPECT_EQ(1, clicks);
    button->Disable();
    button->Click();
    EXPECT_EQ(1, clicks);
    EXPECT_EQ(wxColour(255, 147, 255), button->GetBackgroundColour());
    const wxSize small = button->GetBestSize();
    button->SetLabel("a much longer label");
    EXPECT_GT(button->GetBestSize().GetWidth(), small.GetWidth());
}

TEST_F(ControlsTest, TheKeyboardTypesIntoItsTarget)
{
    auto* password = new wxTextCtrl(m_frame, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxTE_PASSWORD);
    SafeKeyboard keyboard(m_frame, wxDefaultPosition, password);
    keyboard.TypeKey("a");
    keyboard.TypeKey("1");
    keyboard.ToggleShift();
    EXPECT_TRUE(keyboard.IsShifted());
    keyboard.TypeKey("b");
    keyboard.ToggleShift();
    keyboard.TypeKey("c");
    EXPECT_EQ("a1Bc", password->GetValue());
    keyboard.Backspace();
    EXPECT_EQ("a1B", password->GetValue());
    password->SetInsertionPoint(0);
    keyboard.Backspace(); // nothing before the cursor
    EXPECT_EQ("a1B", password->GetValue());
    keyboard.Destroy();
}

TEST_F(ControlsTest, TheKeyboardWithoutTargetDoesNothing)
{
    SafeKeyboard keyboard(m_frame, wxPoint(10, 10), nullptr);
    keyboard.TypeKey("x");
    keyboard.Backspace();
    EXPECT_EQ(wxPoint(10, 10), keyboard.GetPosition());
    keyboard.Destroy();
}
} // namespace
