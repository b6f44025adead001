#include "LoginService.h"

#include "ErrorCodes.h"

#include <cstring>

namespace simmarket {

using namespace tradeapi::wire;
using tradeapi::FixedText;
using tradeapi::SetFixedText;

void LoginService::Register()
{
    m_server.Router().SetHandler(kReqUserLogin, [this](const auto& s, const auto& f) { OnLogin(s, f); });
}

bool LoginService::Kick(int userId, const Session* keep)
{
    bool any = false;
    for(FrontKind kind : {FrontKind::Trade, FrontKind::MarketData}) {
        for(const auto& session : m_server.SessionsOf(userId, kind)) {
            if(session.get() == keep)
                continue;
            if(kind == FrontKind::Trade) {
                sFFixUserId notice{userId};
                SendNtf(*session, kNtfUserId, notice);
            }
            session->userId = 0;
            session->CloseAfterFlush();
            any = true;
        }
    }
    return any;
}

void LoginService::OnLogin(const std::shared_ptr<Session>& session, const Frame& frame)
{
    sFFixReqUserLogin req;
    std::memcpy(&req, frame.body.data(), sizeof req);
    const std::string login = FixedText(req.loginName);
    const std::string password = FixedText(req.password);

    sFFixRspUserLogin rsp{};
    SetFixedText(rsp.loginAccount, login);
    const SimUser* user = m_server.State().FindUser(login);
    if(!user) {
        SendAnswer(*session, kRspUserLogin, frame.header.requestId, rsp, MakeInfo(kErrNoUser, "用户不存在"));
        return;
    }
    if(user->password != password) {
        SendAnswer(*session, kRspUserLogin, frame.header.requestId, rsp,
                   MakeInfo(kErrBadPassword, "用户名或口令错误"));
        return;
    }
    // One trade login per user: the older one is told and closed.
    if(session->Kind() == FrontKind::Trade) {
        for(const auto& other : m_server.SessionsOf(user->userId, FrontKind::Trade)) {
            if(other == session)
                continue;
            sFFixUserId notice{user->userId};
            SendNtf(*other, kNtfUserId, notice);
            other->userId = 0;
            other->CloseAfterFlush();
        }
    }
    session->userId = user->userId;
    session->login = user->login;
    const int64_t now = m_server.Clock().NowMs();
    const std::string& day = m_server.State().tradingDay;
    SetFixedText(rsp.tradingDay, day.empty() ? SimClock::DateText(now) : day);
    SetFixedText(rsp.serverTime, SimClock::TimeText(now));
    rsp.userId = user->userId;
    SetFixedText(rsp.userName, user->name);
    SendAnswer(*session, kRspUserLogin, frame.header.requestId, rsp, MakeInfo(0, ""));
}

} // namespace simmarket
