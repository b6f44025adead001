// The money windows' senders over the fake plug-in: each request leaves
// through the login's Client with its own operation; without a login none
// leaves.
#include "funds/AccountRequestSender.h"

#include "FakeClientPlugin.h"
#include "funds/PayPortRegistDlg.h"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

TEST(MoneySenders, EveryRequestLeavesThroughTheLoginsClientAndNoneWithoutALogin)
{
    FakeClientPlugin plugin;
    const PayPortRegistDlg::Services services = PayPortRegistDlg::DefaultServices();
    sFFixMoveMoney move{};
    sFFixMasterAccount master{};
    sFFixSetSuretyMoney surety{};
    sFFixRegistPayPort regist{};
    sFFixUnRegistPayPort unRegist{};
    const std::vector<std::function<int()>> sends = {
        [&] { return AccountRequestSender::Send(move); },
        [&] { return AccountRequestSender::Send(master); },
        [&] { return AccountRequestSender::Send(surety); },
        [&] { return services.regist(regist); },
        [&] { return services.unRegist(unRegist); },
        [&] { return services.queryUserPayPorts(); },
        [&] { return services.querySysPayPorts(); },
    };
    for(const auto& send : sends) {
        EXPECT_EQ(send(), -1);
    }
    EXPECT_TRUE(plugin.trade.sent.empty());

    plugin.LogIn();
    std::strcpy(regist.bankPassword, "135790");
    for(const auto& send : sends) {
        EXPECT_GT(send(), 0);
    }
    const std::vector<std::string> operations = {
        "ReqMoveMoney",       "ReqMasterAccount",  "ReqSetSuretyMoney",   "ReqRegistPayPort",
        "ReqUnRegistPayPort", "ReqQryPayPortInfo", "ReqQrySysPayPortInfo"};
    EXPECT_EQ(plugin.trade.Operations(), operations);
    EXPECT_STRNE(regist.bankPassword, "135790") << "the bank password leaves masked";
}
