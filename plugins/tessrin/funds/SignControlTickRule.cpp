#include "funds/SignControlTickRule.h"

SignControlTickRule::Step SignControlTickRule::Tick(bool installed)
{
    if(installed) {
        return Step::eFound;
    }
    if(m_count >= kCountedTicks) {
        return Step::eFailed;
    }
    ++m_count;
    return Step::eCount;
}
