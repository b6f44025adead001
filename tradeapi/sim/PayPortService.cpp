#include "PayPortService.h"

#include "BankPageService.h"
#include "ErrorCodes.h"
#include "PasswordMask.h"
#include "RequestBody.h"

#include <algorithm>

namespace simmarket {

using namespace tradeapi::wire;
using tradeapi::FixedText;
using tradeapi::SetFixedText;

void PayPortService::Load(const nlohmann::json& scenario)
{
    for(const auto& user : scenario.at("users"))
        if(user.contains("bankPassword"))
            m_bankPasswords[user.at("userId").get<int>()] = user.at("bankPassword").get<std::string>();
}

void PayPortService::Register()
{
    m_server.Router().SetHandler(kReqRegistPayPort, [this](const auto& s, const auto& f) { OnRegist(s, f); });
    m_server.Router().SetHandler(kReqUnRegistPayPort,
                                 [this](const auto& s, const auto& f) { OnUnRegist(s, f); });
}

const SimUserPayPort* PayPortService::FindRegistration(int userId, const std::string& currency) const
{
    for(const auto& port : m_server.State().userPayPorts)
        if(port.userId == userId && (port.currency.empty() || port.currency == currency))
            return &port;
    return nullptr;
}

const SimSysPayPort* PayPortService::FindSysPayPort(int id) const
{
    for(const auto& port : m_server.State().sysPayPorts)
        if(port.id == id)
            return &port;
    return nullptr;
}

bool PayPortService::CheckBankPassword(int userId, const SimSysPayPort& port, const std::string& masked,
                                       int requestId) const
{
    if(!port.bankPassword)
        return true;
    auto stored = m_bankPasswords.find(userId);
    const auto clear = PasswordMask::Unmask(masked, requestId);
    if(!clear || clear->empty() || stored == m_bankPasswords.end())
        return false;
    // A full field carries only the first 18 bytes of a longer password.
    if(masked.size() == 24 && stored->second.size() > clear->size())
        return stored->second.compare(0, clear->size(), *clear) == 0;
    return stored->second == *clear;
}

int PayPortService::CheckMoneyPassword(int userId, const std::string& password) const
{
    const SimUser* user = m_server.State().FindUserById(userId);
    if(!user)
        return kErrNoUser;
    if(user->moneyPassword.empty())
        return kErrNoMoneyPassword;
    return user->moneyPassword == password ? kErrNone : kErrBadMoneyPassword;
}

void PayPortService::OnRegist(const std::shared_ptr<Session>& session, const Frame& frame)
{
    const auto req = RequestBody<sFFixRegistPayPort>(frame);
    const int id = frame.header.requestId;
    auto reply = [&](int error, const std::string& text) {
        SendPlain(*session, kRspRegistPayPort, id, MakeInfo(error, text));
    };
    if(req.userId != session->userId)
        return reply(kErrUserMismatch, "用户不匹配");
    if(int error = CheckMoneyPassword(session->userId, FixedText(req.moneyPassword)))
        return reply(error, error == kErrBadMoneyPassword ? "资金密码错误" : "请先设置资金密码");
    const SimSysPayPort* port = FindSysPayPort(req.sysPayPortId);
    if(!port)
        return reply(kErrBadPayPortId, "无效支付接口编号");
    auto& ports = m_server.State().userPayPorts;
    auto registered = std::find_if(ports.begin(), ports.end(), [&](const SimUserPayPort& p) {
        return p.userId == session->userId && p.sysPayPortId == port->id;
    });
    // One the bank has not completed yet may be registered again.
    if(registered != ports.end() && registered->registState != '1')
        return reply(kErrPayPortRegistered, "该支付接口已签约");
    const std::string card = FixedText(req.bankCardNumber);
    if(card.empty() || req.identityType < '1' || req.identityType > '6')
        return reply(kErrBadPayParameter, "支付参数无效");
    const std::string masked = FixedText(req.bankPassword);
    if(port->bankPassword) {
        // The first registration at a bank sets the password the bank checks.
        if(!m_bankPasswords.count(session->userId)) {
            const auto clear = PasswordMask::Unmask(masked, id);
            if(!clear || clear->empty())
                return reply(kErrBankRegistRefused, "银行签约返回错误，签约不成功！");
            m_bankPasswords[session->userId] = *clear;
        } else if(!CheckBankPassword(session->userId, *port, masked, id))
            return reply(kErrBankRegistRefused, "银行签约返回错误，签约不成功！");
    }
    SimUserPayPort registration;
    registration.userId = session->userId;
    registration.sysPayPortId = port->id;
    registration.key = (static_cast<int64_t>(port->id) << 32) | static_cast<uint32_t>(session->userId);
    registration.bankCard = card;
    registration.identityNumber = FixedText(req.identityNumber);
    registration.accountName = FixedText(req.accountName);
    registration.currency = port->currency;
    registration.identityType = req.identityType;
    // The bank completes it later: not registered until then.
    registration.registState = port->completeFlag == '1' ? '1' : '2';
    if(registered != ports.end())
        *registered = registration;
    else
        ports.push_back(registration);
    reply(kErrNone, "");
    m_server.PushToUser(session->userId, kNtfPayPortInfo, m_server.Rows().UserPayPort(registration));
    PushSigningPage(session->userId, *port, true);
}

void PayPortService::OnUnRegist(const std::shared_ptr<Session>& session, const Frame& frame)
{
    const auto req = RequestBody<sFFixUnRegistPayPort>(frame);
    const int id = frame.header.requestId;
    auto reply = [&](int error, const std::string& text) {
        SendPlain(*session, kRspUnRegistPayPort, id, MakeInfo(error, text));
    };
    if(req.userId != session->userId)
        return reply(kErrUserMismatch, "用户不匹配");
    if(int error = CheckMoneyPassword(session->userId, FixedText(req.moneyPassword)))
        return reply(error, error == kErrBadMoneyPassword ? "资金密码错误" : "请先设置资金密码");
    auto& ports = m_server.State().userPayPorts;
    auto it = std::find_if(ports.begin(), ports.end(), [&](const SimUserPayPort& p) {
        return p.userId == session->userId && p.sysPayPortId == req.sysPayPortId;
    });
    const SimSysPayPort* port = FindSysPayPort(req.sysPayPortId);
    if(it == ports.end() || !port)
        return reply(kErrPayPortNotRegistered, "该支付接口未签约");
    if(!CheckBankPassword(session->userId, *port, FixedText(req.bankPassword), id))
        return reply(kErrPayPortRefused, "支付接口端返回错误");
    ports.erase(it);
    reply(kErrNone, "");
    PushSigningPage(session->userId, *port, false);
}

void PayPortService::PushSigningPage(int userId, const SimSysPayPort& port, bool signedUp)
{
    sFFixBankInUrl page{};
    const SimUser* user = m_server.State().FindUserById(userId);
    if(user)
        for(int key : user->accountKeys)
            if(const SimAccount* account = m_server.State().FindAccount(key))
                if(port.currency.empty() || account->currency == port.currency) {
                    page.accountKey = key;
                    break;
                }
    page.id = ++m_lastAttPayId;
    page.sysPayPortId = port.id;
    SetFixedText(page.url, BankPageService::SignUrl(m_server.HttpBase(), signedUp, port.id, page.accountKey));
    m_server.PushToUser(userId, kNtfBankInUrl, page);
}

} // namespace simmarket
