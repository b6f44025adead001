#include "funds/AccountChoice.h"

#include <cstdint>
#include <wx/combobox.h>

void AccountChoice::Fill(wxComboBox* choice, const std::vector<AccountDialogRules::Entry>& entries)
{
    choice->Clear();
    for(const AccountDialogRules::Entry& entry : entries) {
        choice->Append(entry.marketName, reinterpret_cast<void*>(static_cast<intptr_t>(entry.accountKey)));
    }
}

int AccountChoice::ChosenKey(const wxComboBox* choice)
{
    const int selection = choice->GetSelection();
    if(selection == wxNOT_FOUND) {
        return -1;
    }
    return static_cast<int>(
        reinterpret_cast<intptr_t>(choice->GetClientData(static_cast<unsigned int>(selection))));
}
