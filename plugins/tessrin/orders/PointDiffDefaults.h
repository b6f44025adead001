#pragma once

#include <map>
#include <wx/string.h>

// The point difference an order carries when nothing is stored for its
// symbol: "defaultPointDiff" of the plug-in configuration, overridden per
// symbol code by "defaultSymbolPointDiffs" ("AG:15,CU:30"; '\' escapes a
// separator). Codes are compared exactly.
struct PointDiffDefaults
{
    int defaultPointDiff = 20;
    std::map<wxString, int> symbolPointDiffs;

    // The symbol's own entry, else defaultPointDiff.
    int For(const wxString& symbolCode) const;

    // Items without a colon, with an empty code or with a value that is not
    // a base-10 int are skipped; a later item for a code replaces an earlier.
    static PointDiffDefaults Parse(int defaultPointDiff, const wxString& symbolPointDiffs);
};

// The process-wide defaults, read from the plug-in configuration on the
// first call; later changes of the two keys are not seen.
const PointDiffDefaults& DefaultPointDiffs();
