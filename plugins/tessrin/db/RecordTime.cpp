#include "db/RecordTime.h"

bool RecordTimeEqual(const wxDateTime& a, const wxDateTime& b)
{
    if(!a.IsValid() || !b.IsValid()) {
        return a.IsValid() == b.IsValid();
    }
    return a.GetValue() == b.GetValue();
}

bool RecordTimeLater(const wxDateTime& a, const wxDateTime& b)
{
    if(!a.IsValid()) {
        return false;
    }
    if(!b.IsValid()) {
        return true;
    }
    return a.GetValue() > b.GetValue();
}
