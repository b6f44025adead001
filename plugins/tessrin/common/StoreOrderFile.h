#pragma once

#include <memory>
#include <wx/string.h>

class clConfig;
class clConfigItem;

// The user's local order file "storeorder.con", where the hang orders and
// the store orders keep one item each. A write replaces its own item and
// leaves the others as they are on disk. The file is read when opened.
class StoreOrderFile
{
public:
    enum Access {
        eRead,  // a missing file stays missing
        eWrite, // a missing file is made at once, with its folder
    };

    // <user data dir>/config/storeorder.con
    static wxString GetPath();

    explicit StoreOrderFile(Access access, const wxString& path = GetPath());
    ~StoreOrderFile();
    StoreOrderFile(const StoreOrderFile&) = delete;
    StoreOrderFile& operator=(const StoreOrderFile&) = delete;

    // Fills the item from the member of its name; false, the item untouched,
    // when the file has none.
    bool Read(clConfigItem& item);
    // False when the file could not be written.
    bool Write(const clConfigItem& item);

private:
    std::unique_ptr<clConfig> m_config;
};
