#include "SimServer.h"

#include "LinkTimes.h"

namespace simmarket {

SimServer::SimServer(boost::asio::io_context& io)
    : m_io(io), m_rows(m_state), m_router(io, m_log),
      m_linkCheck(io, std::chrono::milliseconds(tradeapi::wire::kLinkCheckMs), [this] { CheckLinks(); })
{
    auto accept = [this](boost::asio::ip::tcp::socket socket, Front& front) {
        OnAccept(std::move(socket), front);
    };
    m_fronts.push_back(std::make_unique<Front>(io, "trade1", FrontKind::Trade, accept));
    m_fronts.push_back(std::make_unique<Front>(io, "trade2", FrontKind::Trade, accept));
    m_fronts.push_back(std::make_unique<Front>(io, "md", FrontKind::MarketData, accept));
}

void SimServer::Open(const std::vector<unsigned short>& ports)
{
    for(std::size_t i = 0; i < m_fronts.size(); ++i)
        m_fronts[i]->Open(i < ports.size() ? ports[i] : 0);
    m_linkCheck.Start();
}

void SimServer::CheckLinks()
{
    const auto now = std::chrono::steady_clock::now();
    for(const auto& session : AllSessions())
        session->CheckLink(now);
}

void SimServer::Close()
{
    for(auto& front : m_fronts)
        front->Close();
    for(const auto& session : AllSessions())
        session->Close();
}

Front* SimServer::FindFront(const std::string& name)
{
    for(auto& front : m_fronts)
        if(front->Name() == name)
            return front.get();
    return nullptr;
}

std::string SimServer::HttpBase() const
{
    return "http://127.0.0.1:" + std::to_string(m_httpPort.load());
}

std::vector<unsigned short> SimServer::Ports() const
{
    std::vector<unsigned short> ports;
    for(const auto& front : m_fronts)
        ports.push_back(front->Port());
    return ports;
}

void SimServer::DropFront(const std::string& name)
{
    for(const auto& session : AllSessions())
        if(session->FrontName() == name)
            session->Close();
}

void SimServer::MuteFront(const std::string& name, bool muted)
{
    if(Front* front = FindFront(name))
        front->SetMuted(muted);
    for(const auto& session : AllSessions())
        if(session->FrontName() == name)
            session->SetMuted(muted);
}

std::vector<std::shared_ptr<Session>> SimServer::SessionsOf(int userId, FrontKind kind) const
{
    std::vector<std::shared_ptr<Session>> out;
    for(const auto& [id, session] : m_sessions)
        if(session->userId == userId && session->Kind() == kind && session->IsOpen())
            out.push_back(session);
    return out;
}

std::vector<std::shared_ptr<Session>> SimServer::AllSessions() const
{
    std::vector<std::shared_ptr<Session>> out;
    for(const auto& [id, session] : m_sessions)
        out.push_back(session);
    return out;
}

bool SimServer::PushBytes(int userId, FrontKind kind, uint32_t code, const std::vector<uint8_t>& body)
{
    const auto sessions = SessionsOf(userId, kind);
    for(const auto& session : sessions)
        session->Send(tradeapi::wire::EncodeFrame(code, 0, 0, body.data(), body.size()));
    return !sessions.empty();
}

nlohmann::json SimServer::SessionsJson() const
{
    nlohmann::json list = nlohmann::json::array();
    for(const auto& [id, session] : m_sessions) {
        list.push_back({{"id", id},
                        {"front", session->FrontName()},
                        {"userId", session->userId},
                        {"login", session->login},
                        {"loggedIn", session->userId != 0},
                        {"muted", session->IsMuted()},
                        {"subscribed", session->subscribed}});
    }
    return list;
}

nlohmann::json SimServer::FrontsJson() const
{
    nlohmann::json list = nlohmann::json::array();
    for(const auto& front : m_fronts)
        list.push_back({{"name", front->Name()},
                        {"kind", front->Kind() == FrontKind::Trade ? "trade" : "md"},
                        {"port", front->Port()},
                        {"refusing", front->Refusing()},
                        {"muted", front->Muted()}});
    return list;
}

void SimServer::OnAccept(boost::asio::ip::tcp::socket socket, Front& front)
{
    const int id = ++m_lastSessionId;
    auto session = std::make_shared<Session>(std::move(socket), id, front.Name(), front.Kind(),
                                             static_cast<SessionHost&>(*this));
    m_sessions[id] = session;
    session->SetMuted(front.Muted());
    session->Start();
    if(!m_refusedRequests.empty())
        session->Send(tradeapi::wire::EncodeFrame(tradeapi::wire::kCtlRefuseRequests, 0, 0,
                                                  m_refusedRequests.data(),
                                                  m_refusedRequests.size() * sizeof(int32_t)));
}

void SimServer::SetRefusedRequests(const std::vector<int32_t>& requestCodes)
{
    m_refusedRequests = requestCodes;
    for(const auto& [id, session] : m_sessions)
        session->Send(tradeapi::wire::EncodeFrame(tradeapi::wire::kCtlRefuseRequests, 0, 0,
                                                  requestCodes.data(),
                                                  requestCodes.size() * sizeof(int32_t)));
}

void SimServer::OnSessionFrame(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame)
{
    m_router.Dispatch(session, frame);
}

void SimServer::OnSessionAnswer(Session& session, const std::vector<uint8_t>& frame)
{
    m_log.OnAnswer(session.Id(), frame);
}

void SimServer::OnSessionClosed(Session& session)
{
    // The session may be running one of its own handlers: keep it alive until
    // the handler has returned.
    auto it = m_sessions.find(session.Id());
    if(it == m_sessions.end())
        return;
    auto keep = it->second;
    m_sessions.erase(it);
    boost::asio::post(m_io, [keep] {});
}

} // namespace simmarket
