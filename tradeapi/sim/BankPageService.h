#pragma once
// The banks' pages that pushes 1076 point at, served on the market's HTTP
// port:
//   GET /bank/sign?qianyue=<0|1>&payport=<id>&acc=<account key>
//       the signing page of a pay-port registration (1) or its cancellation
//       (0). The page of a pay port whose code is "Ostrel" holds the bank's
//       signing control (an object element with its class id) and a script
//       that titles the page "Signing control ready" once the control's
//       functions are there, else "Signing control missing".
//   GET /bank/deposit?inOutId=<id>&amount=<amount>[&payport=<id>]
//       the bank's page of a deposit; that of an "Ostrel" pay port holds the
//       signing control and its script as the signing page does.
// Other pages are plain. An unknown pay port is 404, a malformed query 400.
#include "HttpServices.h"

#include <string>

namespace simmarket {

class SimMarket;
struct SimSysPayPort;

class BankPageService
{
public:
    static constexpr const char* kSignPath = "/bank/sign";
    static constexpr const char* kDepositPath = "/bank/deposit";
    static constexpr const char* kSignControlClassId = "62B938C4-4190-4F37-8CF0-A92B0A91CC77";

    // The addresses of the pushes; `base` is SimServer::HttpBase().
    static std::string SignUrl(const std::string& base, bool signedUp, int payPortId, int accountKey);
    static std::string DepositUrl(const std::string& base, int inOutId, double amount, int payPortId);

    static HttpRoute SignRoute(SimMarket& market);
    static HttpRoute DepositRoute(SimMarket& market);

    static std::string SignPage(const SimSysPayPort& port, bool signedUp);
    // `port` null: no pay port named.
    static std::string DepositPage(int inOutId, const std::string& amount, const SimSysPayPort* port);
};

} // namespace simmarket
