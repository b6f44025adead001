#pragma once
// What the bulletin tests share: the settings folder, a session to hand the
// manager, the JSON of bulletins as the service sends them, and a manager
// filled without a server.
//
//     NoticeEnvironment* const g_env = AddFileEnvironment<NoticeEnvironment>(__FILE__);
//     auto manager = ManagerWith(List({Item("A", "2026-12-01 09:00:00")}));
#include "ScopedEnv.h"
#include "ScratchFolder.h"
#include "db/user_Account.h"
#include "history/HistoryNoticeMgr.h"
#include "history/INoticeSession.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <pelmora/EditorConfig.h>
#include <pelmora/Job.h>
#include <pelmora/JobQueueSingleton.h>
#include <string>
#include <vector>

// The user's settings in a folder of the test's own; the job queue's workers
// are stopped while wx is still up.
class NoticeEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        m_folder = std::make_unique<ScratchFolder>();
        m_userDir = std::make_unique<ScopedEnv>("PELMORA_USER_DATA_DIR", m_folder->Path());
    }
    void TearDown() override
    {
        JobQueueSingleton::Release();
        EditorConfigST::Free();
        m_userDir.reset();
        m_folder.reset();
    }

private:
    std::unique_ptr<ScratchFolder> m_folder;
    std::unique_ptr<ScopedEnv> m_userDir;
};

class FakeSession : public INoticeSession
{
public:
    const user_Account* GetLoginUser() const override { return hasAccount ? &account : nullptr; }
    wxArrayString GetNoticeServers() const override { return servers; }
    wxDateTime GetMarketTime() const override { return marketTime; }

    user_Account account;
    bool hasAccount = true;
    wxArrayString servers;
    // After every date of the tests' bulletins unless a test moves it.
    wxDateTime marketTime = wxDateTime(31, wxDateTime::Dec, 2026, 12, 0, 0);
};

// One bulletin of an answer; `content` is JSON text ("\\n" for a line feed).
// Its id is `id`, or by default one made of title and date (as the service
// numbers each bulletin once).
inline std::string Item(const std::string& title, const std::string& date,
                        const std::string& content = "text", bool read = false, long id = 0)
{
    if(id == 0) {
        id = static_cast<long>(std::hash<std::string>()(title + "|" + date) % 1000000) + 1;
    }
    return std::string(R"({"is_read":)") + (read ? "true" : "false") + R"(,"from":"exchange","title":")" +
           title + R"(","content":")" + content + R"(","bulletinId":")" + std::to_string(id) +
           R"(","date":")" + date + R"("})";
}

inline std::string List(const std::vector<std::string>& items)
{
    std::string text = "[";
    for(const auto& item : items) {
        text += (text.size() > 1 ? "," : "") + item;
    }
    return text + "]";
}

// The answer of a poll, delivered as the poll job delivers it.
inline void Deliver(HistoryNoticeMgr& manager, const std::string& answer)
{
    wxCommandEvent event(wxEVT_CMD_JOB_STATUS, 0);
    event.SetString(wxString::FromUTF8(answer));
    manager.ProcessEvent(event);
}

// A manager over a session without account, so it never polls by itself,
// holding the bulletins of the answer.
inline std::unique_ptr<HistoryNoticeMgr> ManagerWith(const std::string& answer)
{
    auto session = std::make_unique<FakeSession>();
    session->hasAccount = false;
    auto manager = std::make_unique<HistoryNoticeMgr>(std::move(session));
    Deliver(*manager, answer);
    return manager;
}
