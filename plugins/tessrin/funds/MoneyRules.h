#pragma once

#include <tradeapi/FFixMoney.h>
#include <vector>
#include <wx/string.h>

class RecordStore;
class user_AccountFactory;
struct sys_PayPort;
struct user_Account;
struct user_Payport;

// What the deposit and withdrawal dialog decides without a window: the
// withdrawable money it shows, the bank it names, the checks of OK in their
// order, the request it packs and how its account choice follows the
// account table.
class MoneyRules
{
public:
    enum CheckResult {
        eCheckPassed,
        eAccountInvalid, // the account or its login record is gone
        ePasswordEmpty,
        eAmountError, // not a number, or not above 0
    };
    // What the bank line shows for the chosen account.
    enum BankLine {
        eBankUnchanged,    // the account is gone: the line stays
        eNoPayport,        // "------------"
        eBankName,         // the bank name of the account's pay port
        eQuerySysPayPorts, // the market's pay ports are asked for: "************"
    };

    // The withdrawable money as the server reports it; on accounts of
    // settlement class '1' and '2' a floating loss takes from it.
    static double Withdrawable(const user_Account& account);
    // Two decimals when above 0, else "0.00".
    static wxString WithdrawableText(const user_Account& account);

    // The amount field's text without its thousands separators; false when
    // it is no number.
    static bool ParseAmount(const wxString& text, double& amount);
    // OK's checks in order: the account with its login record, the money
    // password, the amount (set when it passes).
    static CheckResult Check(RecordStore* db, int accountKey, const wxString& moneyPassword,
                             const wxString& amountText, double& amount);
    // The message of a failed check, untranslated.
    static wxString CheckMessage(CheckResult result);

    static const user_Account* FindAccount(RecordStore* db, int accountKey);
    // The user's pay port that serves the account's currency; null when none.
    static const user_Payport* FindPayport(RecordStore* db, const user_Account& account);
    // The market's pay port behind the user's one; null when not known yet.
    static const sys_PayPort* FindSysPayPort(RecordStore* db, const user_Payport& payport);
    // Whether the bank of the account's pay port asks for the bank password.
    static bool NeedsBankPassword(RecordStore* db, const user_Account& account);
    // `bankName` is set for eBankName.
    static BankLine GetBankLine(RecordStore* db, int accountKey, wxString& bankName);

    // The 72-byte request, zero-filled: direction '1' for mode 0, else '2';
    // each password at most 24 bytes of its multibyte text. The bank password
    // goes in plain; the Client masks it when sending.
    static sFFixReqInOutMoney MakeRequest(int accountKey, double amount, int mode,
                                          const wxString& moneyPassword, const wxString& bankPassword);

    // How the account choice follows the account table: the items to delete
    // (positions, highest first), the records to append and what ends up
    // chosen. Items are known by account key: a record's address may be
    // taken by another account once it is gone.
    struct ChoicePlan
    {
        std::vector<unsigned int> removed;
        std::vector<const user_Account*> appended;
        int selection = -1;  // position after the removals and appends; -1 none
        int accountKey = -1; // the dialog's account key afterwards
    };
    static ChoicePlan PlanAccountChoice(const std::vector<int>& itemKeys, const user_AccountFactory& table,
                                        int accountKey);
    // Applies a plan to the keys of the items in the choice's order.
    static void ApplyPlan(const ChoicePlan& plan, std::vector<int>& itemKeys);
};
