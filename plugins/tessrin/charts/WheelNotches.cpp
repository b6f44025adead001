#include "charts/WheelNotches.h"

int WheelNotches::Add(int rotation, int wheelDelta)
{
    if(wheelDelta <= 0 || rotation == 0) {
        return 0;
    }
    if((rotation > 0) != (m_sum > 0) && m_sum != 0) {
        m_sum = 0;
    }
    // Sums stay below one notch, so this cannot overflow for any real wheel.
    const long long sum = static_cast<long long>(m_sum) + rotation;
    const long long notches = sum / wheelDelta;
    m_sum = static_cast<int>(sum - notches * wheelDelta);
    return static_cast<int>(notches);
}
