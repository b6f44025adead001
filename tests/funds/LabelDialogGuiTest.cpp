#include "funds/LabelDialog.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/stattext.h>

namespace {

template <typename T> T* FindChild(wxWindow& parent)
{
    for(wxWindow* child : parent.GetChildren()) {
        if(auto* found = dynamic_cast<T*>(child)) {
            return found;
        }
    }
    return nullptr;
}

class LabelDialogTest : public ::testing::Test
{
protected:
    LabelDialogTest() : m_frame(new wxFrame(nullptr, wxID_ANY, "owner")) { m_frame->Show(); }
    ~LabelDialogTest() override { m_frame->Destroy(); }

    wxFrame* m_frame;
};

TEST_F(LabelDialogTest, ShowsItsTextLiterallyAboveAnOkButtonAtTheRight)
{
    LabelDialog dialog(m_frame, "Please Wait ...", "Regist Varnel");
    EXPECT_EQ("Please Wait ...", dialog.GetTitle());
    EXPECT_EQ(wxSize(400, 150), dialog.GetSize());

    auto* text = FindChild<wxStaticText>(dialog);
    auto* button = FindChild<wxButton>(dialog);
    ASSERT_TRUE(text && button);
    EXPECT_EQ("Regist Varnel", text->GetLabelText());
    EXPECT_EQ(*wxWHITE, text->GetBackgroundColour());
    EXPECT_EQ("Ok", button->GetLabel());
    EXPECT_EQ(wxID_CANCEL, button->GetId());

    dialog.SetLabel("A&B");
    EXPECT_EQ("A&B", text->GetLabelText()) << "shown as typed";
    EXPECT_EQ("A&&B", text->GetLabel()) << "no mnemonic";
    EXPECT_EQ("Please Wait ...", dialog.GetTitle()) << "the caption stays";

    dialog.Show();
    dialog.Layout();
    const wxRect client = dialog.GetClientRect();
    const wxRect buttonRect = button->GetRect();
    EXPECT_EQ(client.GetRight() - 5, buttonRect.GetRight()) << "right-aligned with a 5-pixel border";
    EXPECT_LE(text->GetRect().GetBottom(), buttonRect.GetTop()) << "text above the button";
    EXPECT_EQ(client.GetWidth(), text->GetRect().GetWidth()) << "the text fills the width";
}

TEST_F(LabelDialogTest, TheButtonOrTheCloseBoxEndsTheModalWait)
{
    struct Case
    {
        const char* name;
        bool byButton;
    };
    for(const Case c : {Case{"button", true}, Case{"close box", false}}) {
        LabelDialog dialog(m_frame, "Please Wait ...", "Regist Varnel");
        auto* button = FindChild<wxButton>(dialog);
        ASSERT_TRUE(button);
        dialog.CallAfter([&dialog, button, c] {
            if(c.byButton) {
                wxCommandEvent click(wxEVT_BUTTON, button->GetId());
                click.SetEventObject(button);
                button->ProcessWindowEvent(click);
            } else {
                dialog.Close();
            }
        });
        EXPECT_EQ(wxID_CANCEL, dialog.ShowModal()) << c.name;
    }
}

} // namespace
