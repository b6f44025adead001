#pragma once

#include <cstdint>
#include <tradeapi/FFixMoney.h>
#include <vector>
#include <wx/string.h>

struct user_Account;
struct user_Payport;

// What the pay-port registration dialog decides without a window: the
// identity types, the checks of "Ok" in their order, the two requests it
// packs, the seat text and the mode. Messages are untranslated.
class PayPortRegistRules
{
public:
    enum Mode {
        eRegist = 0,
        eUnRegist = 1,
    };
    // The field a failed check puts the focus in.
    enum Field {
        eNoField, // the check passed
        eBankField,
        eCardField,
        eCardConfirmField,
        eAccountNameField,
        eIdCardField,
        eMoneyPasswordField,
    };
    struct Check
    {
        wxString message;
        Field field = eNoField;
        bool Passed() const { return field == eNoField; }
    };
    // The register form as typed.
    struct RegistInput
    {
        wxString bank; // the bank list's selection
        wxString card;
        wxString cardConfirm;
        wxString accountName;
        int idTypeIndex = -1; // wxNOT_FOUND: no selection
        wxString idCard;
        wxString moneyPassword;
    };

    // Bytes a field takes: longer identity numbers, cards and account names
    // are refused, longer passwords cut on a character boundary.
    static constexpr std::size_t kIdCardBytes = 36;
    static constexpr std::size_t kCardBytes = 36;
    static constexpr std::size_t kAccountNameBytes = 100; // UTF-8
    static constexpr std::size_t kPasswordBytes = 24;

    // "identity" ... "Other", in list order.
    static const std::vector<wxString>& IdentityTypeTexts();
    // List index 0 to 4: '1' to '5'; "Other" or no selection: '6'.
    static char IdentityCode(int index);
    // '1' to '5': index 0 to 4; any other: 5.
    static int IdentityIndex(char type);

    // "Ok" in register mode, in order; the first failure.
    static Check CheckRegist(const RegistInput& input);
    // "Ok" in unregister mode.
    static Check CheckUnRegist(const wxString& moneyPassword);

    // Zero-filled; the texts as the checks let them through. The bank
    // password goes in clear: the Client masks it.
    static sFFixRegistPayPort MakeRegistRequest(int userId, const RegistInput& input, int sysPayPortId,
                                                const wxString& bankPassword);
    static sFFixUnRegistPayPort MakeUnRegistRequest(int userId, int sysPayPortId,
                                                    const wxString& moneyPassword,
                                                    const wxString& bankPassword);

    // Bytes of the text in the system's narrow encoding (UTF-8 for account
    // names); SIZE_MAX when it cannot be converted.
    static std::size_t NarrowBytes(const wxString& text);
    static std::size_t Utf8Bytes(const wxString& text);

    // "Sit No:": the registration's seat number with ":suffix" when the
    // suffix says more; else the account's seat number when it belongs to
    // the user (seat / 10 == user id); else empty.
    static wxString SeatText(const user_Payport* registration, const user_Account* account);
    // Unregister for a registration the bank completed (state not '1').
    static Mode GetMode(const user_Payport* registration);
    // "Regist" or "UnRegist".
    static wxString ActionText(Mode mode);
};
