#include "layouts/BitmapResources.h"
#include "layouts/wxSpinCtrlDouble_.h"

#include <gtest/gtest.h>
#include <memory>
#include <wx/filesys.h>
#include <wx/frame.h>
#include <wx/xrc/xmlres.h>

namespace {

// Records wx assertions instead of failing the test on them.
class AssertRecorder
{
public:
    AssertRecorder() : m_previous(wxSetAssertHandler(&AssertRecorder::Record)) { messages().clear(); }
    ~AssertRecorder() { wxSetAssertHandler(m_previous); }
    static std::vector<wxString>& messages()
    {
        static std::vector<wxString> recorded;
        return recorded;
    }

private:
    static void Record(const wxString&, int, const wxString&, const wxString& cond, const wxString& msg)
    {
        messages().push_back(cond + ": " + msg);
    }
    wxAssertHandler_t m_previous;
};

class SpinCtrlTest : public ::testing::Test
{
protected:
    SpinCtrlTest() : m_frame(new wxFrame(nullptr, wxID_ANY, "spin"))
    {
        m_spin = new wxSpinCtrlDouble_(m_frame, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                       wxSP_ARROW_KEYS, 0, 1000, 0, 0.01);
        m_frame->Show();
    }
    ~SpinCtrlTest() override { m_frame->Destroy(); }

    wxFrame* m_frame;
    wxSpinCtrlDouble_* m_spin; // owned by the frame
};

TEST_F(SpinCtrlTest, AFreshControlShowsSixDecimals)
{
    EXPECT_EQ(0u, m_spin->GetDigits());
    EXPECT_EQ("%f", m_spin->GetFormat());
    m_spin->SetValue(1.5);
    EXPECT_EQ("1.500000", m_spin->GetTextValue());
    EXPECT_EQ("1.500000", m_spin->FormatValue(1.5));
}

TEST_F(SpinCtrlTest, SetDigitsShowsTheValueAgainWithThatManyDecimals)
{
    m_spin->SetValue(1.5);
    m_spin->SetDigits(2);
    EXPECT_EQ(2u, m_spin->GetDigits());
    EXPECT_EQ("%0.2lf", m_spin->GetFormat());
    EXPECT_EQ("1.50", m_spin->GetTextValue());
    m_spin->SetValue(12.345);
    EXPECT_EQ("12.35", m_spin->GetTextValue());
}

TEST_F(SpinCtrlTest, ZeroDigitsRoundsToAWholeNumber)
{
    m_spin->SetDigits(0);
    m_spin->SetValue(2.6);
    EXPECT_EQ("3", m_spin->GetTextValue());
}

TEST_F(SpinCtrlTest, SetDigitsSendsNoChangeEvent)
{
    int changes = 0;
    m_spin->Bind(wxEVT_SPINCTRLDOUBLE, [&changes](wxSpinDoubleEvent&) { ++changes; });
    m_spin->SetValue(3.25);
    m_spin->SetDigits(1);
    m_spin->SetDigits(3);
    wxYield();
    EXPECT_EQ(0, changes);
    EXPECT_EQ("3.250", m_spin->GetTextValue());
}

TEST_F(SpinCtrlTest, TwentyDigitsWorkAndTwentyOneAssertAndChangeNothing)
{
    m_spin->SetValue(0.5);
    m_spin->SetDigits(20);
    EXPECT_EQ(20u, m_spin->GetDigits());
    EXPECT_EQ("0.50000000000000000000", m_spin->GetTextValue());
    m_spin->SetDigits(2);
    {
        AssertRecorder recorder;
        m_spin->SetDigits(21);
        ASSERT_EQ(1u, AssertRecorder::messages().size());
        EXPECT_NE(wxNOT_FOUND, AssertRecorder::messages()[0].Find("too many digits for wxSpinCtrlDouble"));
    }
    EXPECT_EQ(2u, m_spin->GetDigits());
    EXPECT_EQ("%0.2lf", m_spin->GetFormat());
    EXPECT_EQ("0.50", m_spin->GetTextValue());
}

TEST_F(SpinCtrlTest, TypedNumbersAreTakenAndOtherTextIsRefused)
{
    double value = 0;
    EXPECT_TRUE(wxSpinCtrlDouble_::ParseValue("12.75", &value));
    EXPECT_DOUBLE_EQ(12.75, value);
    EXPECT_FALSE(wxSpinCtrlDouble_::ParseValue("12,7x", &value));
    EXPECT_FALSE(wxSpinCtrlDouble_::ParseValue("", &value));
}

TEST(SpinCtrlClass, ResourceLoadersCanCreateItByName)
{
    wxClassInfo* info = wxClassInfo::FindClass("wxSpinCtrlDouble_");
    ASSERT_NE(nullptr, info);
    EXPECT_TRUE(info->IsKindOf(wxCLASSINFO(wxSpinCtrlDouble)));
    std::unique_ptr<wxObject> object(info->CreateObject());
    ASSERT_NE(nullptr, object);
    auto* spin = dynamic_cast<wxSpinCtrlDouble_*>(object.get());
    ASSERT_NE(nullptr, spin);
    EXPECT_EQ(0u, spin->GetDigits());
    EXPECT_EQ("%f", spin->GetFormat());
}

TEST(SpinCtrlClass, ADefaultConstructedControlCreatedLaterFollowsItsDigits)
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "spin");
    auto* spin = new wxSpinCtrlDouble_;
    spin->SetDigits(3);
    ASSERT_TRUE(spin->Create(frame, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                             wxSP_ARROW_KEYS, 0, 10, 1.25, 0.001));
    EXPECT_EQ("1.250", spin->GetTextValue());
    frame->Destroy();
}

TEST(BitmapResources, TheFirstLayoutLoadsTheKeyboardImageAndLaterOnesLoadNothing)
{
    const bool loadedBefore = g_bitmapResourcesLoaded;
    const bool loadedNow = EnsureBitmapResources();
    EXPECT_NE(loadedBefore, loadedNow);
    EXPECT_TRUE(g_bitmapResourcesLoaded);
    EXPECT_FALSE(EnsureBitmapResources());

    const wxBitmap keyboard = wxXmlResource::Get()->LoadBitmap("keyboard");
    ASSERT_TRUE(keyboard.IsOk());
    EXPECT_EQ(24, keyboard.GetWidth());
    EXPECT_EQ(24, keyboard.GetHeight());
    EXPECT_TRUE(keyboard.ConvertToImage().HasAlpha());

    wxFileSystem fileSystem;
    std::unique_ptr<wxFSFile> image(fileSystem.OpenFile("memory:XRC_resource/tessrin_bitmaps$keyboard.png"));
    ASSERT_NE(nullptr, image);
    EXPECT_EQ("image/png", image->GetMimeType());
    std::unique_ptr<wxFSFile> index(
        fileSystem.OpenFile("memory:XRC_resource/tessrin_bitmaps$tessrin_bitmaps.xrc"));
    ASSERT_NE(nullptr, index);
    EXPECT_EQ("text/xml", index->GetMimeType());
    std::unique_ptr<wxFSFile> probe(fileSystem.OpenFile("memory:XRC_resource/dummy_file"));
    EXPECT_EQ(nullptr, probe) << "the probe file is removed again";
}

} // namespace
