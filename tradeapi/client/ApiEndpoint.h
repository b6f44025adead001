#pragma once
// What a trade and a market-data API object share: one Connection, the
// request kinds the market has refused, and the link events reported to the
// caller's callback object. Derived classes add the requests and the frame
// dispatch, and stop the connection in their destructor so no frame reaches
// a half-destroyed object.
#include "Connection.h"
#include "RefusedRequests.h"

#include <cstdint>
#include <string>

namespace tradeapi::client {

template <class Api, class Callback, class Derived>
class ApiEndpoint : public Api, protected ConnectionListener
{
public:
    void Release() override
    {
        m_connection.Stop();
        delete static_cast<Derived*>(this);
    }
    int Connect(const char* address) override
    {
        m_connection.Connect(address ? address : "");
        return 1;
    }
    int ReConnect(int delayMs) override
    {
        m_connection.ReConnect(delayMs);
        return 1;
    }
    int SetAddress(const char* address) override
    {
        m_connection.SetAddress(address ? address : "");
        return 1;
    }
    int Disconnect() override
    {
        m_connection.Disconnect();
        return 1;
    }

protected:
    explicit ApiEndpoint(Callback& callback) : m_callback(callback), m_connection(*this) {}
    ~ApiEndpoint() = default;

    template <class T> int Send(uint32_t code, const T* req, int requestId)
    {
        return req ? SendBytes(code, req, sizeof(T), requestId) : 0;
    }
    // A login: the link gives up when its answer does not come in time.
    template <class T> int SendLogin(uint32_t code, const T* req, int requestId)
    {
        return req ? SendBytes(code, req, sizeof(T), requestId, true) : 0;
    }
    int SendBytes(uint32_t code, const void* body, std::size_t size, int requestId, bool awaitAnswer = false)
    {
        if(m_refused.IsRefused(code))
            return 0;
        return m_connection.Send(wire::EncodeFrame(code, requestId, 0, body, size), awaitAnswer) ? 1 : 0;
    }

    void OnLinkUp() override { m_callback.OnConnect(); }
    void OnLinkFailed(int error, const std::string& text) override
    {
        m_callback.OnConnectFailed(error, text.c_str());
    }
    void OnLinkDown(int reason) override
    {
        m_refused.Replace(wire::Frame{});
        m_callback.OnDisconnect(reason);
    }

    Callback& m_callback;
    RefusedRequests m_refused;
    Connection m_connection; // last: its thread stops before the rest goes
};

} // namespace tradeapi::client
