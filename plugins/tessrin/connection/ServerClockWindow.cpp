#include "connection/ServerClockWindow.h"

bool IsWithinServerClockWindow(const wxDateTime& quoteTime, const wxDateTime& expected)
{
    if(!quoteTime.IsValid() || !expected.IsValid()) {
        return false;
    }
    const wxLongLong difference = (quoteTime - expected).GetMilliseconds().Abs();
    return difference <= kServerClockWindowMs;
}
