#ifndef PELMORA_CLCONFIGITEM_H
#define PELMORA_CLCONFIGITEM_H

#include "pelmora/JSONElement.h"

#include <wx/string.h>

// One named member of a configuration file that a class reads and writes as a
// whole (clConfig::ReadItem / clConfig::WriteItem).
class clConfigItem
{
public:
    explicit clConfigItem(const wxString& name) : m_name(name) {}
    virtual ~clConfigItem() = default;

    const wxString& GetName() const { return m_name; }

    // Called with the member's value when the file holds it.
    virtual void FromJSON(const JSONElement& json) = 0;
    // The value to store; by convention an element named GetName().
    virtual JSONElement ToJSON() const = 0;

private:
    wxString m_name;
};

#endif // PELMORA_CLCONFIGITEM_H
