#pragma once
// A report server on a loopback port for the history frame's tests. It
// answers GET /tolvekquery/report_client/<report>?bizData=<query> with one
// page of `records` rows {"orderCode": "C<n>"} (n numbers the record within
// the whole result, from 1), paged by the query's "pageCtrl", records every
// query it gets, and misbehaves on request:
//   Silent   holds the request unanswered until released (or 30 s)
//   Held     holds the request until released, then answers it
//   Empty    answers with an empty body
//   NotJson  answers with a body that is not JSON
//
//     ReportStubServer reports(57);
//     page.SetServerSource(...reports.Base()...);
//     ... query ...
//     ASSERT_TRUE(PumpUntil([&] { return reports.QueryCount() == 1; }));
//     EXPECT_EQ(reports.Queries()[0]["pageCtrl"]["start"], "0");
#include "LoopbackHttpServer.h"

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

class ReportStubServer
{
public:
    using Json = nlohmann::ordered_json;
    enum class Mode { Answer, Silent, Held, Empty, NotJson };

    explicit ReportStubServer(int records = 0)
        : m_http(std::make_unique<LoopbackHttpServer>()), m_records(records)
    {
        m_http->server().Get(
            R"(/+tolvekquery/report_client/(\w+))",
            [this](const httplib::Request& req, httplib::Response& res) { Serve(req, res); });
        m_http->Start();
    }
    // Held requests end first; the server's threads are joined before the
    // members they use go.
    ~ReportStubServer()
    {
        Release();
        m_http.reset();
    }
    ReportStubServer(const ReportStubServer&) = delete;
    ReportStubServer& operator=(const ReportStubServer&) = delete;

    std::string Base() const { return m_http->Base(); }

    void SetRecords(int records)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_records = records;
    }
    void SetMode(Mode mode)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_mode = mode;
        m_released = false;
    }
    // The "totalCount" member of the answers; a discarded value leaves it out.
    void SetTotalCount(Json value)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_totalCount = std::move(value);
        m_ownTotal = true;
    }
    // Lets held and silent requests go (held ones are answered).
    void Release()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_released = true;
        m_changed.notify_all();
    }

    // The decoded "bizData" of every query, in the order they arrived.
    std::vector<Json> Queries() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_queries;
    }
    std::size_t QueryCount() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_queries.size();
    }
    // Raw request targets, as sent.
    std::vector<std::string> Targets() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_targets;
    }
    // Requests whose answer (or silence) has ended.
    std::size_t Finished() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_finished;
    }

private:
    void Serve(const httplib::Request& req, httplib::Response& res)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        const Json query = Json::parse(req.get_param_value("bizData"), nullptr, false);
        m_queries.push_back(query);
        m_targets.push_back(req.target);
        const Mode mode = m_mode;
        if(mode == Mode::Silent || mode == Mode::Held) {
            m_changed.wait_for(lock, std::chrono::seconds(30), [this] { return m_released; });
        }
        ++m_finished;
        if(mode == Mode::Silent) {
            res.status = 204; // nothing, after the client has long given up
            return;
        }
        if(mode == Mode::Empty) {
            res.set_content("", "application/json");
            return;
        }
        if(mode == Mode::NotJson) {
            res.set_content("<html>busy</html>", "text/html");
            return;
        }
        res.set_content(Page(query).dump(), "application/json");
    }

    Json Page(const Json& query) const
    {
        int start = 0;
        int limit = 10;
        if(query.is_object() && query.contains("pageCtrl")) {
            start = std::atoi(query["pageCtrl"].value("start", "0").c_str());
            limit = std::atoi(query["pageCtrl"].value("limit", "10").c_str());
        }
        Json rows = Json::array();
        for(int n = start + 1; n <= m_records && n <= start + limit; ++n) {
            rows.push_back({{"orderCode", "C" + std::to_string(n)}});
        }
        Json reply = {{"bizRet", "0"}, {"bizMsg", "ok"}};
        if(!m_ownTotal) {
            reply["totalCount"] = m_records;
        } else if(!m_totalCount.is_discarded()) {
            reply["totalCount"] = m_totalCount;
        }
        reply["data"] = rows;
        return reply;
    }

    std::unique_ptr<LoopbackHttpServer> m_http;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_records;
    Mode m_mode = Mode::Answer;
    bool m_released = false;
    Json m_totalCount;
    bool m_ownTotal = false;
    std::vector<Json> m_queries;
    std::vector<std::string> m_targets;
    std::size_t m_finished = 0;
};
