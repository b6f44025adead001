#include "RequestRouter.h"

#include "ErrorCodes.h"
#include "Replies.h"
#include "RequestLog.h"
#include "tradeapi/FFixStructs.h"

namespace simmarket {

using namespace tradeapi::wire;

RequestRouter::RequestRouter(boost::asio::io_context& io, RequestLog& log) : m_io(io), m_log(log)
{
    using S = AnswerShape;
    const std::size_t user = sizeof(sFFixUserId);
    Add(kReqUserLogin, S::Answer, sizeof(sFFixReqUserLogin), true, true);
    m_routes[kReqUserLogin].echoSize = sizeof(sFFixRspUserLogin);
    Add(kReqQrySymbolInfo, S::Rows, user, true, true);
    Add(kReqSubscribeMarketData, S::Subscribe, 0, false, true);
    m_routes[kReqSubscribeMarketData].variableBody = true;
    Add(kReqQryAccount, S::Rows, user, true, false);
    Add(kReqSetOrder, S::Answer, sizeof(sFFixSetOrder), true, false);
    Add(kReqQryPosition, S::Rows, user, true, false);
    Add(kReqQryHoldDetail, S::Rows, user, true, false);
    Add(kReqQryCloseBill, S::Rows, user, true, false);
    Add(kReqQryLimitOrder, S::Rows, user, true, false);
    Add(kReqCancelOrder, S::Answer, sizeof(sFFixCancelOrder), true, false);
    Add(kReqModifyOrder, S::Answer, sizeof(sFFixModifyOrder), true, false);
    Add(kReqQryCurrencyExchangeRate, S::Rows, sizeof(sFFixCurrencyExchangeRate), true, false);
    Add(kReqInOutMoney, S::Answer, sizeof(sFFixReqInOutMoney), true, false);
    Add(kReqQryInOutMoney, S::Rows, user, true, false);
    Add(kReqPositionCloseOrder, S::Answer, sizeof(sFFixPositionCloseOrder), true, false);
    Add(kReqQryDeliveryOrder, S::Rows, user, true, false);
    Add(kReqQryPayPortInfo, S::Rows, user, true, false);
    Add(kReqRegistPayPort, S::Plain, sizeof(sFFixRegistPayPort), true, false);
    Add(kReqUnRegistPayPort, S::Plain, sizeof(sFFixUnRegistPayPort), true, false);
    Add(kReqModifyPassword, S::Plain, sizeof(sFFixModifyPassword), true, false);
    Add(kReqQrySysPayPortInfo, S::Rows, user, true, false);
    Add(kReqQryPriceReport, S::Rows, sizeof(sFFixQryPriceReport), true, false);
    Add(kReqQryBinaryContract, S::Rows, sizeof(sFFixQryBinaryContract), true, false);
    Add(kReqQryBinaryOrer, S::Rows, sizeof(sFFixQryBinaryOrder), true, false);
    Add(kReqMasterAccount, S::Answer, sizeof(sFFixMasterAccount), true, false);
    Add(kReqMoveMoney, S::Answer, sizeof(sFFixMoveMoney), true, false);
    Add(kReqSetSuretyMoney, S::Plain, sizeof(sFFixSetSuretyMoney), true, false);
    Add(kReqHoldBillDelivery, S::Plain, sizeof(sFFixHoldBillDelivery), true, false);
    Add(kReqQryBonusPoint, S::Rows, user, true, false);
    Add(kReqQryUserInventory, S::Rows, user, true, false);
    Add(kReqQrySymbolInventory, S::Rows, user, true, false);
    Add(kReqFinancingGoods, S::Plain, sizeof(sFFixFinancingGoods), true, false);
}

void RequestRouter::Add(uint32_t requestCode, AnswerShape shape, std::size_t bodySize, bool trade,
                        bool marketData)
{
    Route route;
    route.shape = shape;
    route.bodySize = bodySize;
    route.trade = trade;
    route.marketData = marketData;
    m_routes[requestCode] = route;
}

void RequestRouter::SetHandler(uint32_t requestCode, RequestHandler handler)
{
    m_routes.at(requestCode).handler = std::move(handler);
}

RequestHandler RequestRouter::HandlerOf(uint32_t requestCode) const
{
    auto it = m_routes.find(requestCode);
    return it == m_routes.end() ? RequestHandler() : it->second.handler;
}

bool RequestRouter::IsKnownAnswer(uint32_t answerCode) const
{
    return answerCode > 0 && m_routes.count(answerCode - 1) != 0;
}

bool RequestRouter::SetFault(uint32_t answerCode, const Fault& fault)
{
    if(!IsKnownAnswer(answerCode))
        return false;
    if(fault.mode == Fault::Normal)
        m_faults.erase(answerCode - 1);
    else
        m_faults[answerCode - 1] = fault;
    return true;
}

void RequestRouter::ReplyFailure(Session& session, const Frame& request, int errorId,
                                 const std::string& message) const
{
    const uint32_t code = request.header.code;
    const int id = request.header.requestId;
    const sFFixRspInfo info = MakeInfo(errorId, message);
    auto it = m_routes.find(code);
    if(it == m_routes.end()) {
        SendPlain(session, kRspError, id, info);
        return;
    }
    const Route& route = it->second;
    switch(route.shape) {
    case AnswerShape::Answer: {
        std::vector<uint8_t> echo(route.echoSize ? route.echoSize : route.bodySize, 0);
        if(!route.echoSize && request.body.size() == echo.size())
            echo = request.body;
        session.Send(EncodeFrame(AnswerCode(code), id, 0, echo.data(), echo.size(), &info, sizeof info));
        break;
    }
    case AnswerShape::Plain:
        SendPlain(session, AnswerCode(code), id, info);
        break;
    case AnswerShape::Subscribe:
        SendPlain(session, AnswerCode(code), id, info);
        break;
    case AnswerShape::Rows:
        // A query has no result field: its failure is the error answer.
        SendPlain(session, kRspError, id, info);
        break;
    }
}

void RequestRouter::Dispatch(const std::shared_ptr<Session>& session, const Frame& frame)
{
    auto it = m_routes.find(frame.header.code);
    const bool onFront = it != m_routes.end() &&
                         (session->Kind() == FrontKind::Trade ? it->second.trade : it->second.marketData);
    const int64_t seq = m_log.AddFrame(*session, frame, onFront ? it->second.shape : AnswerShape::Plain);
    if(session->IsMuted()) {
        m_log.SetFault(seq, "muted");
        return;
    }
    if(!onFront) {
        SendPlain(*session, kRspError, frame.header.requestId,
                  MakeInfo(kErrInvalidRequest, "unknown request"));
        return;
    }
    const Route& route = it->second;
    if(!route.variableBody && frame.body.size() != route.bodySize) {
        ReplyFailure(*session, frame, kErrInvalidRequest, "request of the wrong size");
        return;
    }
    if(frame.header.code != kReqUserLogin && session->userId == 0) {
        ReplyFailure(*session, frame, kErrNotLoggedIn, "not logged in");
        return;
    }
    if(!route.handler) {
        ReplyFailure(*session, frame, kErrInvalidRequest, "request not supported by this market");
        return;
    }
    auto fault = m_faults.find(frame.header.code);
    if(fault == m_faults.end()) {
        route.handler(session, frame);
        return;
    }
    switch(fault->second.mode) {
    case Fault::Swallow:
        m_log.SetFault(seq, "swallow");
        return;
    case Fault::Fail:
        m_log.SetFault(seq, "fail");
        ReplyFailure(*session, frame, fault->second.errorId, "injected failure");
        return;
    case Fault::Delay: {
        m_log.SetFault(seq, "delay");
        auto timer = std::make_shared<boost::asio::steady_timer>(m_io);
        timer->expires_after(std::chrono::milliseconds(fault->second.delayMs));
        std::weak_ptr<Session> weak = session;
        RequestHandler handler = route.handler;
        timer->async_wait([timer, weak, frame, handler](const boost::system::error_code& ec) {
            auto live = weak.lock();
            if(!ec && live && live->IsOpen())
                handler(live, frame);
        });
        return;
    }
    case Fault::Normal:
        route.handler(session, frame);
        return;
    }
}

} // namespace simmarket
