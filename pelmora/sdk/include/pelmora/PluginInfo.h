#ifndef PELMORA_PLUGININFO_H
#define PELMORA_PLUGININFO_H

#include <wx/string.h>

// What a plug-in tells the host about itself (filled by GetPluginInfo).
class PluginInfo
{
public:
    void SetAuthor(const wxString& author) { m_author = author; }
    void SetName(const wxString& name) { m_name = name; }
    void SetDescription(const wxString& description) { m_description = description; }
    void SetVersion(const wxString& version) { m_version = version; }

    const wxString& GetAuthor() const { return m_author; }
    const wxString& GetName() const { return m_name; }
    const wxString& GetDescription() const { return m_description; }
    const wxString& GetVersion() const { return m_version; }

private:
    wxString m_author;
    wxString m_name;
    wxString m_description;
    wxString m_version;
};

#endif // PELMORA_PLUGININFO_H
