#include "LoginController.h"
#include "LoginDialog.h"
#include "Tracer.h"
#include "pelmora/EventNotifier.h"
#include "pelmora/HostEvents.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

namespace {
// Answers the server-name query and remembers the login, as a plug-in would.
class FakePlugin : public wxEvtHandler
{
public:
    explicit FakePlugin(wxArrayString servers) : m_servers(std::move(servers))
    {
        EventNotifier::Get()->Bind(wxEVT_CMD_QUERY_SERVER_NAMES, &FakePlugin::OnQuery, this);
        EventNotifier::Get()->Bind(wxEVT_CMD_LOGIN_REQUEST, &FakePlugin::OnLogin, this);
    }
    ~FakePlugin() override
    {
        EventNotifier::Get()->Unbind(wxEVT_CMD_QUERY_SERVER_NAMES, &FakePlugin::OnQuery, this);
        EventNotifier::Get()->Unbind(wxEVT_CMD_LOGIN_REQUEST, &FakePlugin::OnLogin, this);
    }
    wxArrayString lastLogin;

private:
    void OnQuery(wxCommandEvent& event)
    {
        auto* names = static_cast<wxArrayString*>(event.GetClientData());
        for(const wxString& name : m_servers) {
            names->Add(name);
        }
    }
    void OnLogin(wxCommandEvent& event) { lastLogin = *static_cast<wxArrayString*>(event.GetClientData()); }
    wxArrayString m_servers;
};

template <typename T> std::vector<T*> ChildrenOf(wxWindow* parent)
{
    std::vector<T*> found;
    for(wxWindow* child : parent->GetChildren()) {
        if(T* typed = dynamic_cast<T*>(child)) {
            found.push_back(typed);
        }
    }
    return found;
}

class LoginDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { m_frame = new wxFrame(nullptr, wxID_ANY, "host"); }
    void TearDown() override
    {
        m_frame->Destroy();
        wxTheApp->ProcessIdle();
    }
    wxFrame* m_frame = nullptr;
    Tracer m_tracer;
};

TEST_F(LoginDialogTest, OffersThePluginsServersAndSendsTheLoginOnlyWhenComplete)
{
    wxArrayString servers;
    servers.Add("Demo");
    servers.Add("Backup");
    FakePlugin plugin(servers);
    LoginController login(m_tracer);
    LoginDialog dialog(m_frame, login);
    auto choices = ChildrenOf<wxChoice>(&dialog);
    auto texts = ChildrenOf<wxTextCtrl>(&dialog);
    ASSERT_EQ(1u, choices.size());
    ASSERT_EQ(2u, texts.size());
    EXPECT_EQ(2u, choices[0]->GetCount());
    EXPECT_EQ("Demo", choices[0]->GetStringSelection());

    EXPECT_FALSE(dialog.Validate()); // no user yet
    texts[0]->SetValue("  alice ");
    EXPECT_FALSE(dialog.Validate()); // no password yet
    texts[1]->SetValue("secret");
    choices[0]->SetSelection(1);
    ASSERT_TRUE(dialog.Validate());
    ASSERT_TRUE(dialog.TransferDataFromWindow());
    ASSERT_EQ(3u, plugin.lastLogin.size());
    EXPECT_EQ("Backup", plugin.lastLogin[0]);
    EXPECT_EQ("alice", plugin.lastLogin[1]);
    EXPECT_EQ("secret", plugin.lastLogin[2]);
}

TEST_F(LoginDialogTest, WithoutServersNothingCanBeSent)
{
    FakePlugin plugin{wxArrayString()};
    LoginController login(m_tracer);
    LoginDialog dialog(m_frame, login);
    auto texts = ChildrenOf<wxTextCtrl>(&dialog);
    ASSERT_EQ(2u, texts.size());
    texts[0]->SetValue("alice");
    texts[1]->SetValue("secret");
    EXPECT_FALSE(dialog.Validate());
    EXPECT_TRUE(plugin.lastLogin.empty());
}

TEST_F(LoginDialogTest, TheNextDialogStartsFromTheLastLogin)
{
    wxArrayString servers;
    servers.Add("Demo");
    servers.Add("Backup");
    FakePlugin plugin(servers);
    LoginController login(m_tracer);
    login.Login("Backup", "bob", "pw1");
    LoginDialog dialog(m_frame, login);
    auto choices = ChildrenOf<wxChoice>(&dialog);
    auto texts = ChildrenOf<wxTextCtrl>(&dialog);
    ASSERT_EQ(1u, choices.size());
    ASSERT_EQ(2u, texts.size());
    EXPECT_EQ("Backup", choices[0]->GetStringSelection());
    EXPECT_EQ("bob", texts[0]->GetValue());
    EXPECT_EQ("pw1", texts[1]->GetValue());
}
} // namespace
