#include "MDApiImpl.h"

#include "FrameDispatch.h"
#include "WireCodes.h"

#include <cstring>
#include <vector>

namespace tradeapi::client {

using namespace tradeapi::wire;
using CB = CMDApiCallback;

MDApiImpl::MDApiImpl(CMDApiCallback& callback) : m_callback(callback), m_connection(*this) {}

MDApiImpl::~MDApiImpl()
{
    m_connection.Stop();
}

void MDApiImpl::Release()
{
    m_connection.Stop();
    delete this;
}

int MDApiImpl::Connect(const char* address)
{
    m_connection.Connect(address ? address : "");
    return 1;
}

int MDApiImpl::ReConnect(int delayMs)
{
    m_connection.ReConnect(delayMs);
    return 1;
}

int MDApiImpl::SetAddress(const char* address)
{
    m_connection.SetAddress(address ? address : "");
    return 1;
}

int MDApiImpl::Disconnect()
{
    m_connection.Disconnect();
    return 1;
}

int MDApiImpl::SendBytes(uint32_t code, const void* body, std::size_t size, int requestId)
{
    if(m_refused.IsRefused(code))
        return 0;
    return m_connection.Send(EncodeFrame(code, requestId, 0, body, size)) ? 1 : 0;
}

int MDApiImpl::ReqUserLogin(const sFFixReqUserLogin* req, int id)
{
    return req ? SendBytes(kReqUserLogin, req, sizeof *req, id) : 0;
}

int MDApiImpl::ReqQrySymbolInfo(const sFFixUserId* req, int id)
{
    return req ? SendBytes(kReqQrySymbolInfo, req, sizeof *req, id) : 0;
}

int MDApiImpl::ReqSubscribeMarketData(const sFFixSubscribeEntry* entries, int count, int id)
{
    if(count < 0 || (count > 0 && !entries) ||
       static_cast<std::size_t>(count) * sizeof(sFFixSubscribeEntry) > kMaxBody)
        return 0;
    return SendBytes(kReqSubscribeMarketData, entries, count * sizeof(sFFixSubscribeEntry), id);
}

void MDApiImpl::OnLinkUp()
{
    m_callback.OnConnect();
}

void MDApiImpl::OnLinkFailed(int error, const std::string& text)
{
    m_callback.OnConnectFailed(error, text.c_str());
}

void MDApiImpl::OnLinkDown(int reason)
{
    m_refused.Replace(wire::Frame{});
    m_callback.OnDisconnect(reason);
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
