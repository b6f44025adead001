#pragma once

// What one tick of the wait for the signing control decides: the control is
// found (the wait ends), or the count goes up and is shown, or, at the tick
// after the last counted one, the wait has failed. Knows nothing of time.
class SignControlTickRule
{
public:
    enum class Step {
        eFound, // stop and close the wait
        eCount, // show GetCount() after the caption
        eFailed // stop, tell the trader, close the wait
    };
    static constexpr int kCountedTicks = 10;

    // `installed`: the control could be created at this tick.
    Step Tick(bool installed);
    int GetCount() const { return m_count; }

private:
    int m_count = 0;
};
