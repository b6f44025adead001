#pragma once

#include "charts/sKData.h"

#include <vector>
#include <wx/string.h>

// The K-line download's answer, read straight into K-lines: the text between
// its first '[' and its last ']' is a JSON array whose items are objects
// with a "row" text "time,x,open,high,low,close,x,x" ('\' escapes a comma).
// The array is read without building a JSON tree, the rows without texts of
// their own. False (nothing read) when the answer holds no valid array.
struct KLineAnswer
{
    std::vector<sKData> bars; // the rows that hold five finite numbers, in order
    int items = 0;            // the array's items, good or not

    bool Parse(const wxString& text);
};
