#include "MDApiImpl.h"

#include "FrameDispatch.h"
#include "WireCodes.h"

#include <cstring>
#include <vector>

namespace tradeapi::client {

using namespace tradeapi::wire;
using CB = CMDApiCallback;

MDApiImpl::MDApiImpl(CMDApiCallback& callback) : ApiEndpoint(callback) {}

MDApiImpl::~MDApiImpl()
{
    m_connection.Stop();
}

int MDApiImpl::ReqUserLogin(const sFFixReqUserLogin* req, int id)
{
    return SendLogin(kReqUserLogin, req, id);
}

int MDApiImpl::ReqQrySymbolInfo(const sFFixUserId* req, int id)
{
    return Send(kReqQrySymbolInfo, req, id);
}

int MDApiImpl::ReqSubscribeMarketData(const sFFixSubscribeEntry* entries, int count, int id)
{
    if(count < 0 || (count > 0 && !entries) ||
       static_cast<std::size_t>(count) * sizeof(sFFixSubscribeEntry) > kMaxBody)
        return 0;
    return SendBytes(kReqSubscribeMarketData, entries, count * sizeof(sFFixSubscribeEntry), id);
}

bool MDApiImpl::OnSubscribeAnswer(const wire::Frame& frame)
{
    // Body: the result, then the subscribed symbol ids.
    const std::size_t size = frame.body.size();
    if(size < sizeof(sFFixRspInfo) || (size - sizeof(sFFixRspInfo)) % sizeof(int32_t) != 0)
        return false;
    sFFixRspInfo info;
    std::memcpy(&info, frame.body.data(), sizeof info);
    std::vector<int> ids((size - sizeof info) / sizeof(int32_t));
    if(!ids.empty())
        std::memcpy(ids.data(), frame.body.data() + sizeof info, ids.size() * sizeof(int32_t));
    m_callback.OnRspSubscribeMarketData(ids.data(), static_cast<int>(ids.size()), &info,
                                        frame.header.requestId, true);
    return true;
}

bool MDApiImpl::OnFrame(const wire::Frame& frame)
{
    FrameDispatch<CB> d(m_callback, frame);
    switch(frame.header.code) {
    case kCtlRefuseRequests:
        return m_refused.Replace(frame);
    case kRspError:
        return d.Plain(&CB::OnErrorRsp);
    case kRspUserLogin:
        return d.Answer(&CB::OnRspUserLogin);
    case kRspSubscribeMarketData:
        return OnSubscribeAnswer(frame);
    case kRspQrySymbolInfo:
        return d.Row(&CB::OnRspQrySymbolInfo);
    case kNtfMarketData:
        return d.Ntf(&CB::OnNtfMarketData);
    case kNtfPriceReport:
        return d.Ntf(&CB::OnNtfPriceReport);
    case kNtfPriceTrade:
        return d.Ntf(&CB::OnNtfPriceTrade);
    default:
        return false;
    }
}

} // namespace tradeapi::client
