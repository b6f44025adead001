#include "pelmora/Notebook.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/panel.h>

namespace {
class NotebookTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "book", wxDefaultPosition, wxSize(600, 400));
        m_book = new Notebook(m_frame);
        m_book->SetPageObserver([this](Notebook::PageAction action, const wxString& label) {
            m_log.push_back((action == Notebook::PageAction::Add ? "add " : "remove ") + label);
        });
        m_book->Bind(wxEVT_AUINOTEBOOK_PAGE_CHANGING, [this](wxAuiNotebookEvent& event) {
            ++m_changing;
            event.Skip();
        });
        m_frame->Show();
    }
    void TearDown() override
    {
        m_frame->Destroy();
        wxTheApp->ProcessIdle();
    }

    wxPanel* AddPanel(const wxString& label, bool select = false)
    {
        auto* panel = new wxPanel(m_book);
        EXPECT_TRUE(m_book->AddPage(panel, label, select, wxNullBitmap));
        return panel;
    }

    wxFrame* m_frame = nullptr;
    Notebook* m_book = nullptr;
    std::vector<wxString> m_log;
    int m_changing = 0;
};

TEST_F(NotebookTest, SelectingWithoutNotifySendsNoPageChangingEvent)
{
    AddPanel("Account");
    wxPanel* trade = AddPanel("Trade");
    const int before = m_changing;
    m_book->SetSelection(1, false);
    EXPECT_EQ(before, m_changing);
    EXPECT_EQ(trade, m_book->GetCurrentPage());
    m_book->SetSelection(0, true);
    EXPECT_EQ(before + 1, m_changing);
    EXPECT_EQ(0, m_book->GetSelection());
    EXPECT_EQ(wxNOT_FOUND, m_book->SetSelection(5, false));
}

TEST_F(NotebookTest, RemovingWithoutNotifySendsNoPageEventAndKeepsTheSelectedPage)
{
    AddPanel("Account");
    wxPanel* trade = AddPanel("Trade", true);
    wxPanel* limit = AddPanel("Limit ");
    int changed = 0;
    m_book->Bind(wxEVT_AUINOTEBOOK_PAGE_CHANGED, [&changed](wxAuiNotebookEvent& event) {
        ++changed;
        event.Skip();
    });
    const int before = m_changing;
    EXPECT_TRUE(m_book->RemovePage(2, false));
    EXPECT_EQ(trade, m_book->GetCurrentPage());
    EXPECT_EQ(before, m_changing);
    EXPECT_EQ(0, changed);
    limit->Destroy();
    // With notify the toolkit's own re-selection still tells its listeners.
    EXPECT_TRUE(m_book->RemovePage(0, true));
    EXPECT_EQ(trade, m_book->GetCurrentPage());
    EXPECT_GT(changed, 0);
}

TEST_F(NotebookTest, PagesAreFoundByWindowAndEveryAddAndRemoveIsReportedOnce)
{
    wxPanel* account = AddPanel("Account");
    wxPanel* limit = AddPanel("Limit ");
    auto* stranger = new wxPanel(m_frame);
    EXPECT_EQ(1, m_book->GetPageIndex(limit));
    EXPECT_EQ(wxNOT_FOUND, m_book->GetPageIndex(stranger));

    EXPECT_TRUE(m_book->RemovePage(0, false));
    EXPECT_FALSE(account->IsBeingDeleted()); // removed, not destroyed
    EXPECT_EQ(0, m_book->GetPageIndex(limit));
    EXPECT_TRUE(m_book->DeletePage(0));
    EXPECT_FALSE(m_book->RemovePage(0, false));
    account->Destroy();

    const std::vector<wxString> expected = {"add Account", "add Limit ", "remove Account", "remove Limit "};
    EXPECT_EQ(expected, m_log);
}

TEST_F(NotebookTest, ANotifiedRemovalCanBeVetoed)
{
    AddPanel("Chart");
    bool veto = true;
    int closed = 0;
    m_book->Bind(wxEVT_AUINOTEBOOK_PAGE_CLOSE, [&veto](wxAuiNotebookEvent& event) {
        if(veto) {
            event.Veto();
        }
    });
    m_book->Bind(wxEVT_AUINOTEBOOK_PAGE_CLOSED, [&closed](wxAuiNotebookEvent&) { ++closed; });
    EXPECT_FALSE(m_book->RemovePage(0, true));
    EXPECT_EQ(1u, m_book->GetPageCount());
    veto = false;
    wxWindow* page = m_book->GetPage(0);
    EXPECT_TRUE(m_book->RemovePage(0, true));
    EXPECT_EQ(0u, m_book->GetPageCount());
    EXPECT_EQ(1, closed);
    page->Destroy();
}

TEST_F(NotebookTest, TopBottomDragCanBeSwitchedOff)
{
    ASSERT_TRUE(m_book->HasFlag(wxAUI_NB_TAB_SPLIT));
    m_book->DisableTopBottomDrag();
    EXPECT_FALSE(m_book->HasFlag(wxAUI_NB_TAB_SPLIT));
    EXPECT_TRUE(m_book->HasFlag(wxAUI_NB_TAB_MOVE));
}
} // namespace
