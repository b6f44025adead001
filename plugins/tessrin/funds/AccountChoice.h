#pragma once

#include "funds/AccountDialogRules.h"

#include <vector>

class wxComboBox;

// An account choice whose items each carry their account key.
class AccountChoice
{
public:
    // Replaces the items; nothing is selected.
    static void Fill(wxComboBox* choice, const std::vector<AccountDialogRules::Entry>& entries);
    // The key of the chosen item; -1 without a selection.
    static int ChosenKey(const wxComboBox* choice);
};
