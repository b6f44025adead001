#pragma once
// Login on every front, and the kick-out: a second trade login of a user
// ends the first session with the "user kicked" notice.
#include "SimServer.h"

namespace simmarket {

class LoginService
{
public:
    explicit LoginService(SimServer& server) : m_server(server) {}

    void Register();
    // Sends the kick-out notice to the user's trade sessions and closes all
    // of the user's sessions except `keep`; false when the user had none.
    bool Kick(int userId, const Session* keep = nullptr);

private:
    void OnLogin(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame);

    SimServer& m_server;
};

} // namespace simmarket
