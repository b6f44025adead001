#include "BankPageService.h"

#include "SimMarket.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace simmarket {

namespace {

const char kHtml[] = "text/html; charset=utf-8";

// The query value as a whole number; nothing when missing or malformed.
std::optional<int> WholeParam(const httplib::Request& req, const char* name)
{
    if(!req.has_param(name))
        return std::nullopt;
    const std::string text = req.get_param_value(name);
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if(text.empty() || *end != '\0' || value < 0 || value > 0x7fffffff)
        return std::nullopt;
    return static_cast<int>(value);
}

// Page texts come from the market's own records, but are escaped all the same.
std::string Escaped(const std::string& text)
{
    std::string out;
    for(char c : text) {
        switch(c) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string Page(const std::string& title, const std::string& body)
{
    return "<!DOCTYPE html><html><head><meta charset='utf-8'><title>" + Escaped(title) +
           "</title></head><body>" + body + "</body></html>";
}

} // namespace

std::string BankPageService::SignUrl(const std::string& base, bool signedUp, int payPortId, int accountKey)
{
    return base + kSignPath + "?qianyue=" + (signedUp ? "1" : "0") + "&payport=" + std::to_string(payPortId) +
           "&acc=" + std::to_string(accountKey);
}

std::string BankPageService::DepositUrl(const std::string& base, int inOutId, double amount, int payPortId)
{
    char query[128];
    std::snprintf(query, sizeof query, "?inOutId=%d&amount=%.2f&payport=%d", inOutId, amount, payPortId);
    return base + kDepositPath + query;
}

namespace {
// The pay port's signing control, when its bank has one, and the script that
// titles the page after it.
std::string SignControl(const SimSysPayPort* port)
{
    if(!port || port->code != "Ostrel")
        return "";
    return "<object id='signer' classid='clsid:" + std::string(BankPageService::kSignControlClassId) +
           "' width='0' height='0'></object>"
           "<script>window.addEventListener('load', function () {"
           " var signer = document.getElementById('signer');"
           " document.title = signer && typeof signer.addFormItem === 'function'"
           " ? 'Signing control ready' : 'Signing control missing'; });</script>";
}
} // namespace

std::string BankPageService::SignPage(const SimSysPayPort& port, bool signedUp)
{
    const std::string title = port.bankName + (signedUp ? " signing" : " cancellation");
    return Page(title, "<p>" + Escaped(title) + "</p>" + SignControl(&port));
}

std::string BankPageService::DepositPage(int inOutId, const std::string& amount, const SimSysPayPort* port)
{
    const std::string title = "Deposit " + std::to_string(inOutId);
    return Page(title, "<p>" + Escaped(title) + ": " + Escaped(amount) + "</p>" + SignControl(port));
}

HttpRoute BankPageService::SignRoute(SimMarket& market)
{
    return {"GET", kSignPath, [&market](const httplib::Request& req) {
                const auto signedUp = WholeParam(req, "qianyue");
                const auto payPortId = WholeParam(req, "payport");
                if(!signedUp || *signedUp > 1 || !payPortId)
                    return HttpAnswer{400, "text/plain", "bad query"};
                auto page = market.RunOnIo([&]() -> std::optional<std::string> {
                    const SimSysPayPort* port = market.PayPorts().FindSysPayPort(*payPortId);
                    if(!port)
                        return std::nullopt;
                    return SignPage(*port, *signedUp == 1);
                });
                if(!page)
                    return HttpAnswer{503, "text/plain", ""};
                if(!*page)
                    return HttpAnswer{404, "text/plain", "no such pay port"};
                return HttpAnswer{200, kHtml, **page};
            }};
}

HttpRoute BankPageService::DepositRoute(SimMarket& market)
{
    return {"GET", kDepositPath, [&market](const httplib::Request& req) {
                const auto inOutId = WholeParam(req, "inOutId");
                const auto payPortId = WholeParam(req, "payport");
                if(!inOutId || !req.has_param("amount") || (req.has_param("payport") && !payPortId))
                    return HttpAnswer{400, "text/plain", "bad query"};
                const std::string amount = req.get_param_value("amount");
                auto page = market.RunOnIo([&]() -> std::optional<std::string> {
                    const SimSysPayPort* port =
                        payPortId ? market.PayPorts().FindSysPayPort(*payPortId) : nullptr;
                    if(payPortId && !port)
                        return std::nullopt;
                    return DepositPage(*inOutId, amount, port);
                });
                if(!page)
                    return HttpAnswer{503, "text/plain", ""};
                if(!*page)
                    return HttpAnswer{404, "text/plain", "no such pay port"};
                return HttpAnswer{200, kHtml, **page};
            }};
}

} // namespace simmarket
