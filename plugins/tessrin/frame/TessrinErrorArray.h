#pragma once

#include <pelmora/clConfigItem.h>
#include <vector>

class ErrorTextTable;

// One configured server error text; an entry without "id" stands under -1.
struct ErrorEntry
{
    wxString error;
    int id = -1;
};

// The item "errors" of Tessrin.con: texts that replace the server's own words
// for their codes, in file order.
class TessrinErrorArray : public clConfigItem
{
public:
    TessrinErrorArray();

    void FromJSON(const JSONElement& json) override;
    JSONElement ToJSON() const override;

    const std::vector<ErrorEntry>& GetErrors() const { return m_errors; }
    // Enters every entry into the table in file order, so of two entries of
    // one code the later text wins.
    void ApplyTo(ErrorTextTable& table) const;

private:
    std::vector<ErrorEntry> m_errors;
};
