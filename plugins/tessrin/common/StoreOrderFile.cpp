#include "common/StoreOrderFile.h"

#include <pelmora/clConfig.h>
#include <pelmora/pmStandardPaths.h>
#include <wx/filename.h>

wxString StoreOrderFile::GetPath()
{
    const wxString separator = wxFileName::GetPathSeparator();
    return pmStandardPaths::Get().GetUserDataDir() + separator + "config" + separator + "storeorder.con";
}

StoreOrderFile::StoreOrderFile(Access access, const wxString& path)
    : m_config(std::make_unique<clConfig>(path, access == eWrite))
{}

StoreOrderFile::~StoreOrderFile() = default;

bool StoreOrderFile::Read(clConfigItem& item)
{
    return m_config->ReadItem(&item);
}

bool StoreOrderFile::Write(const clConfigItem& item)
{
    return m_config->WriteItem(&item);
}
