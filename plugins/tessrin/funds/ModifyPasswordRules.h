#pragma once

#include <tradeapi/FFixAccount.h>
#include <wx/string.h>

// What the password-change dialog decides without a window: the kind its
// choice stands for, the checks of OK in their order and the request.
class ModifyPasswordRules
{
public:
    enum CheckResult {
        eCheckPassed,
        eOldEmpty,
        eNewEmpty,
        eNewTooShort,
        eNewTooLong, // more than 24 bytes, or no narrow form: it would reach the server cut
        eConfirmEmpty,
        eConfirmDiffers,
        eSameAsOld,
    };
    static constexpr int kMoneyPosition = 0;
    static constexpr int kLoginPosition = 1;
    static constexpr std::size_t kMinLength = 6;
    static constexpr std::size_t kMaxBytes = 24;

    // '2' money, '1' login, '3' for no or another position.
    static char KindCode(int position);
    // The checks in order; the first that fails is returned.
    static CheckResult Check(const wxString& oldPassword, const wxString& newPassword,
                             const wxString& confirmPassword);
    // The message of a failed check, untranslated.
    static wxString CheckMessage(CheckResult result);
    // The 56-byte request, zero-filled; each password at most 24 bytes of
    // its multibyte text, cut on a character boundary.
    static sFFixModifyPassword MakeRequest(int userId, int kindPosition, const wxString& newPassword,
                                           const wxString& oldPassword);
};
