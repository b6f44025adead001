#ifndef PELMORA_PMSTANDARDPATHS_H
#define PELMORA_PMSTANDARDPATHS_H

#include <wx/string.h>

// The host's folders. Each can be moved by an environment variable, which is
// how tests point the host and plug-in at a scratch folder:
//   PELMORA_DATA_DIR       data folder (holds config/), default: the bin folder
//   PELMORA_USER_DATA_DIR  per-user folder, default: ~/.pelmora
//   PELMORA_BIN_DIR        bin folder, default: the executable's folder
// Paths are returned without a trailing separator and read on every call, so
// a test may change the environment between calls.
class pmStandardPaths
{
public:
    static pmStandardPaths& Get();

    wxString GetDataDir() const;
    wxString GetUserDataDir() const;
    wxString GetBinFolder() const;
    // <bin>/plugins: where the host loads plug-ins from.
    wxString GetPluginsDirectory() const;

private:
    pmStandardPaths() = default;
};

#endif // PELMORA_PMSTANDARDPATHS_H
