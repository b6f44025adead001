// The real host with the plug-in: the pages of the trading day come in their
// order at start and go in the shut-down order at exit, on the host's trace.
#include "HostProcess.h"
#include "SimProcess.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// The labels of the output pages added (or removed) that are in `labels`, in
// trace order.
std::vector<std::string> Pages(const std::vector<std::string>& lines, const std::string& action,
                               const std::vector<std::string>& labels)
{
    const std::string prefix = "page output " + action + " ";
    std::vector<std::string> pages;
    for(const std::string& line : lines) {
        if(line.rfind(prefix, 0) != 0) {
            continue;
        }
        const std::string label = line.substr(prefix.size());
        if(std::find(labels.begin(), labels.end(), label) != labels.end()) {
            pages.push_back(label);
        }
    }
    return pages;
}

} // namespace

TEST(TradingPagesEndToEnd, TradingPagesComeInOrderBinaryOrdersOnceAndAllGoInTheShutDownOrder)
{
    SimProcess market;
    HostProcess host(market);
    host.Start({"--login", "Demo,demo,demo123", "--command", "Sales_report@2"});
    // The report page under the English catalogue's name for "salesReportPanel".
    ASSERT_GE(host.WaitForLine("^page centre add Sales Report$", 30000), 0) << host.Describe();
    ASSERT_GE(host.WaitForLine("^page output add Binary Options $", 30000), 0) << host.Describe();
    host.Quit();
    ASSERT_EQ(host.Wait(30000), 0) << host.Describe();
    const std::vector<std::string> lines = host.TraceLines();
    const std::vector<std::string> ours = {"Position", "Close",  "Delivery",
                                           "Limit ",   "Money ", "Binary Options "};
    // "Binary Options " arrives with the first binary-option symbol, once.
    EXPECT_EQ(Pages(lines, "add", ours), ours) << host.Describe();
    EXPECT_EQ(
        Pages(lines, "remove", ours),
        (std::vector<std::string>{"Close", "Limit ", "Money ", "Binary Options ", "Delivery", "Position"}))
        << host.Describe();
}
