#include "connection/MdClient.h"

#include "connection/CallbackCopy.h"
#include "connection/MdEvent.h"

#include <utility>
#include <vector>

using callbackcopy::Copy;
using callbackcopy::Post;

void MdClient::OnConnect()
{
    Post<MdConnectionEvent>(m_owner, 100, 0);
}

bool MdClient::OnConnectFailed(int error, const char* text)
{
    Post<MdConnectFailedEvent>(m_owner, 101, error, wxString(text != nullptr ? text : ""));
    return false;
}

bool MdClient::OnDisconnect(int reason)
{
    Post<MdConnectionEvent>(m_owner, 102, reason);
    return false;
}

void MdClient::OnErrorRsp(const sFFixRspInfo* info, int requestId, bool)
{
    Post<MdInfoEvent>(m_owner, 1, Copy(info), requestId);
}

void MdClient::OnRspUserLogin(const sFFixRspUserLogin* login, const sFFixRspInfo* info, int requestId, bool)
{
    Post<MdAnswerEvent<sFFixRspUserLogin>>(m_owner, 10002, Copy(login), Copy(info), requestId);
}

void MdClient::OnRspSubscribeMarketData(const int* symbolIds, int count, const sFFixRspInfo* info,
                                        int requestId, bool)
{
    std::vector<int> ids;
    if(symbolIds != nullptr && count > 0) {
        ids.assign(symbolIds, symbolIds + count);
    }
    Post<MdSubscribeEvent>(m_owner, 1031, std::move(ids), Copy(info), requestId);
}

void MdClient::OnRspQrySymbolInfo(const sFFixRspQrySymbolInfo* row, int requestId, bool last)
{
    Post<MdQueryRowEvent<sFFixRspQrySymbolInfo>>(m_owner, 1004, Copy(row), requestId, LastTypeOf(row, last));
}

void MdClient::OnNtfMarketData(const sFFixMarketData* notice, int, int)
{
    Post<MdNoticeEvent<sFFixMarketData>>(m_owner, 1029, Copy(notice));
}

void MdClient::OnNtfPriceReport(const sFFixPriceReport* notice, int, int)
{
    Post<MdNoticeEvent<sFFixPriceReport>>(m_owner, 1089, Copy(notice));
}

void MdClient::OnNtfPriceTrade(const sFFixPriceTrade* notice, int, int)
{
    Post<MdNoticeEvent<sFFixPriceTrade>>(m_owner, 1092, Copy(notice));
}
