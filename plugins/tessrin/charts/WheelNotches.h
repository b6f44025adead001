#pragma once

// Adds up the rotation of a mouse wheel until it makes whole notches.
// Touchpads and smooth-scrolling mice report fractions of a notch; each
// event alone would be dropped. A turn in the other direction starts the
// sum afresh, so a wiggle never adds up to a notch.
class WheelNotches
{
public:
    // The whole notches completed by this rotation (signed: above 0 away
    // from the user); the rest is kept for the next event. A delta of 0 or
    // less, or a rotation of 0, completes nothing.
    int Add(int rotation, int wheelDelta);
    void Reset() { m_sum = 0; }
    int Pending() const { return m_sum; }

private:
    int m_sum = 0;
};
