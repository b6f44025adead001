#pragma once

#include "db/user_Account.h"

#include <cstddef>
#include <tradeapi/FFixAccount.h>
#include <vector>
#include <wx/string.h>

class RecordStore;
struct user_Account;

// What the transfer, main-account and surety-money dialogs decide without a
// window: the entries of their account choices (each with its account key,
// so that two accounts of one market name stay apart), the lines they show,
// the amount they read and the requests they pack.
class AccountDialogRules
{
public:
    struct Entry
    {
        wxString marketName;
        int accountKey = -1;
        bool operator==(const Entry& other) const
        {
            return marketName == other.marketName && accountKey == other.accountKey;
        }
    };
    // What the main-account dialog offers at init.
    struct MainAccountChoice
    {
        std::vector<Entry> others;
    };
    // What a new surety money does to an account, judged from its figures
    // as the market judges it: only a raise can reach a line.
    struct SuretyCheck
    {
        enum Verdict {
            eCovered,
            eWarning,    // the rate reaches the warning line: a margin call follows
            eNotCovered, // the rate reaches the force-close line: positions closed at once
        };
        Verdict verdict = eCovered;
        double rate = 0.0;
        double most = -1.0; // the largest amount clear of the force-close line; below 0: none known
        wxString message;   // why, for a verdict other than eCovered
    };
    // The money password: as many bytes as the password dialog takes.
    static constexpr std::size_t kPasswordBytes = 24;

    // Every account in table order (the transfer's source and destination).
    static std::vector<Entry> AllAccounts(RecordStore* db);
    // The accounts that carry surety money, in table order.
    static std::vector<Entry> SuretyAccounts(RecordStore* db);
    static MainAccountChoice MainAccounts(RecordStore* db);
    // The market name of the main account of the chosen account's currency
    // (each currency has its own); without a chosen account, of the first
    // main account. Empty when there is none.
    static wxString MainAccountName(RecordStore* db, int chosenKey);
    static bool IsMainAccount(const user_Account& account) { return account.accountState == '1'; }
    static bool CarriesSurety(const user_Account& account) { return account.riskKind == '3'; }

    static const user_Account* FindAccount(RecordStore* db, int accountKey);
    // The money the account can give: withdrawable plus a floating loss, not
    // below 0.
    static double OutMoney(const user_Account& account);
    // The amount field's text as a number; 0 when it is none.
    static double ParseAmount(const wxString& text);

    // At most `maxBytes` bytes of the text's multibyte form, cut on a
    // character boundary (a character without narrow form ends the copy);
    // the field must hold `maxBytes` + 1 bytes and be zeroed. True when the
    // whole text fitted.
    static bool CopyNarrow(char* field, std::size_t maxBytes, const wxString& text);

    // Whether the password's multibyte form fits the request (24 bytes); a
    // longer one is refused, never cut.
    static bool PasswordFits(const wxString& password);
    // The requests, zero-filled; passwords at most 24 bytes and a zero.
    static sFFixMoveMoney MakeMoveMoney(int fromKey, int toKey, double amount, const wxString& password);
    // The user id of the first account; key and market id of the chosen one
    // (-1 each when there is none).
    static sFFixMasterAccount MakeMasterAccount(RecordStore* db, int accountKey);
    static sFFixSetSuretyMoney MakeSetSuretyMoney(int accountKey, double amount, const wxString& password);
    static SuretyCheck CheckSurety(const user_Account& account, double amount);
};
