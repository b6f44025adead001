// The pay-port registration's window-free rules: the wait for the signing
// control.
#include "funds/SignControlTickRule.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using Step = SignControlTickRule::Step;

TEST(SignControlTickRuleTest, CountsTenMissingTicksFailsOnTheEleventhAndEndsWhenFound)
{
    struct Case
    {
        const char* name;
        int foundAt; // 0: never
        std::vector<Step> steps;
        int lastCount;
    };
    const std::vector<Step> tenCounts(10, Step::eCount);
    auto then = [&](Step last) {
        std::vector<Step> steps = tenCounts;
        steps.push_back(last);
        return steps;
    };
    const Case cases[] = {
        {"found at once", 1, {Step::eFound}, 0},
        {"found on the third", 3, {Step::eCount, Step::eCount, Step::eFound}, 2},
        {"found on the eleventh: no failure", 11, then(Step::eFound), 10},
        {"never found", 0, then(Step::eFailed), 10},
    };
    for(const Case& c : cases) {
        SignControlTickRule rule;
        std::vector<Step> steps;
        for(int tick = 1; tick <= 11; ++tick) {
            steps.push_back(rule.Tick(tick == c.foundAt));
            if(steps.back() != Step::eCount) {
                break;
            }
        }
        EXPECT_EQ(c.steps, steps) << c.name;
        EXPECT_EQ(c.lastCount, rule.GetCount()) << c.name;
    }
}

} // namespace
