#include "orders/PointDiffDefaults.h"

#include "common/IClientPlugin.h"
#include "common/TessrinConfig.h"

#include <climits>
#include <wx/arrstr.h>

int PointDiffDefaults::For(const wxString& symbolCode) const
{
    const auto found = symbolPointDiffs.find(symbolCode);
    return found != symbolPointDiffs.end() ? found->second : defaultPointDiff;
}

PointDiffDefaults PointDiffDefaults::Parse(int defaultPointDiff, const wxString& symbolPointDiffs)
{
    PointDiffDefaults defaults;
    defaults.defaultPointDiff = defaultPointDiff;
    for(const wxString& item : wxSplit(symbolPointDiffs, ',', '\\')) {
        const wxArrayString parts = wxSplit(item, ':', '\\');
        if(parts.size() < 2) {
            continue;
        }
        long value = 0;
        if(!parts[1].ToLong(&value, 10) || value < INT_MIN || value > INT_MAX || parts[0].empty()) {
            continue;
        }
        defaults.symbolPointDiffs[parts[0]] = static_cast<int>(value);
    }
    return defaults;
}

const PointDiffDefaults& DefaultPointDiffs()
{
    static const PointDiffDefaults defaults = [] {
        const TessrinConfig config(g_plugin ? g_plugin->GetConfig() : nullptr);
        return PointDiffDefaults::Parse(config.GetDefaultPointDiff(), config.GetDefaultSymbolPointDiffs());
    }();
    return defaults;
}
