#include "connection/MdClient.h"

#include "connection/CallbackCopy.h"
#include "connection/MdEvent.h"

#include <utility>
#include <vector>

using callbackcopy::Copy;
using callbackcopy::Post;

void MdClient::OnConnect()
{
    Post<MdConnectionEvent>(m_owner, CallbackCode::Connect, 0);
}

bool MdClient::OnConnectFailed(int error, const char* text)
{
    Post<MdConnectFailedEvent>(m_owner, CallbackCode::ConnectFailed, error,
                               wxString(text != nullptr ? text : ""));
    return false;
}

bool MdClient::OnDisconnect(int reason)
{
    Post<MdConnectionEvent>(m_owner, CallbackCode::Disconnect, reason);
    return false;
}

void MdClient::OnErrorRsp(const sFFixRspInfo* info, int requestId, bool)
{
    Post<MdInfoEvent>(m_owner, CallbackCode::ErrorRsp, Copy(info), requestId);
}

void MdClient::OnRspUserLogin(const sFFixRspUserLogin* login, const sFFixRspInfo* info, int requestId, bool)
{
    Post<MdAnswerEvent<sFFixRspUserLogin>>(m_owner, CallbackCode::RspUserLogin, Copy(login), Copy(info),
                                           requestId);
}

void MdClient::OnRspSubscribeMarketData(const int* symbolIds, int count, const sFFixRspInfo* info,
                                        int requestId, bool)
{
    std::vector<int> ids;
    if(symbolIds != nullptr && count > 0) {
        ids.assign(symbolIds, symbolIds + count);
    }
    Post<MdSubscribeEvent>(m_owner, CallbackCode::RspSubscribeMarketData, std::move(ids), Copy(info),
                           requestId);
}

void MdClient::OnRspQrySymbolInfo(const sFFixRspQrySymbolInfo* row, int requestId, bool last)
{
    Post<MdQueryRowEvent<sFFixRspQrySymbolInfo>>(m_owner, CallbackCode::RspQrySymbolInfo, Copy(row),
                                                 requestId, LastTypeOf(row, last));
}

void MdClient::OnNtfMarketData(const sFFixMarketData* notice, int, int)
{
    Post<MdNoticeEvent<sFFixMarketData>>(m_owner, CallbackCode::NtfMarketData, Copy(notice));
}

void MdClient::OnNtfPriceReport(const sFFixPriceReport* notice, int, int)
{
    Post<MdNoticeEvent<sFFixPriceReport>>(m_owner, CallbackCode::NtfPriceReport, Copy(notice));
}

void MdClient::OnNtfPriceTrade(const sFFixPriceTrade* notice, int, int)
{
    Post<MdNoticeEvent<sFFixPriceTrade>>(m_owner, CallbackCode::NtfPriceTrade, Copy(notice));
}
