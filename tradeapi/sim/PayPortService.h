#pragma once
// Bank pay ports: registration and its cancellation, and the bank passwords
// that deposits and withdrawals through a pay port check. A registration is
// answered, then pushed as the user's new pay port and as the bank's signing
// page ("qianyue=1"); a cancellation pushes the page with "qianyue=0".
#include "SimServer.h"

namespace simmarket {

class PayPortService
{
public:
    explicit PayPortService(SimServer& server) : m_server(server) {}

    // Reads the users' bank passwords ("bankPassword" of each user).
    void Load(const nlohmann::json& scenario);
    void Register();

    // The user's registration that serves the currency, or null.
    const SimUserPayPort* FindRegistration(int userId, const std::string& currency) const;
    const SimSysPayPort* FindSysPayPort(int id) const;
    // True when the pay port asks for no bank password or the masked text
    // holds the user's bank password.
    bool CheckBankPassword(int userId, const SimSysPayPort& port, const std::string& masked,
                           int requestId) const;

private:
    void OnRegist(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame);
    void OnUnRegist(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame);
    // Error id of the money password check, 0 when it holds.
    int CheckMoneyPassword(int userId, const std::string& password) const;
    void PushSigningPage(int userId, const SimSysPayPort& port, bool signedUp);

    SimServer& m_server;
    std::map<int, std::string> m_bankPasswords; // by user id
    int m_lastAttPayId = 0;
};

} // namespace simmarket
