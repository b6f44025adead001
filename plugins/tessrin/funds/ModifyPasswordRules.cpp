#include "funds/ModifyPasswordRules.h"

#include "connection/RequestFields.h"
#include "funds/AccountDialogRules.h"

#include <cstring>
#include <string>
#include <wx/intl.h>

char ModifyPasswordRules::KindCode(int position)
{
    switch(position) {
    case kMoneyPosition:
        return '2';
    case kLoginPosition:
        return '1';
    default:
        return '3';
    }
}

ModifyPasswordRules::CheckResult ModifyPasswordRules::Check(const wxString& oldPassword,
                                                            const wxString& newPassword,
                                                            const wxString& confirmPassword)
{
    if(oldPassword.empty()) {
        return eOldEmpty;
    }
    if(newPassword.empty()) {
        return eNewEmpty;
    }
    if(newPassword.length() < kMinLength) {
        return eNewTooShort;
    }
    std::string narrow;
    if(!ToNarrowText(newPassword, narrow) || narrow.size() > kMaxBytes) {
        return eNewTooLong;
    }
    if(confirmPassword.empty()) {
        return eConfirmEmpty;
    }
    if(newPassword != confirmPassword) {
        return eConfirmDiffers;
    }
    if(newPassword == oldPassword) {
        return eSameAsOld;
    }
    return eCheckPassed;
}

wxString ModifyPasswordRules::CheckMessage(CheckResult result)
{
    switch(result) {
    case eOldEmpty:
        return wxTRANSLATE("Please input old password!");
    case eNewEmpty:
        return wxTRANSLATE("Please input new password!");
    case eNewTooShort:
        return wxTRANSLATE("The password length must be greater than or equal to 6!");
    case eNewTooLong:
        return wxTRANSLATE("The password length must be less than or equal to 24!");
    case eConfirmEmpty:
        return wxTRANSLATE("Please input confirm password!");
    case eConfirmDiffers:
        return wxTRANSLATE("Confirm password error!");
    case eSameAsOld:
        return wxTRANSLATE("The new password cannot be the same as the recent password!");
    case eCheckPassed:
        break;
    }
    return wxString();
}

sFFixModifyPassword ModifyPasswordRules::MakeRequest(int userId, int kindPosition,
                                                     const wxString& newPassword, const wxString& oldPassword)
{
    sFFixModifyPassword request;
    std::memset(&request, 0, sizeof request);
    request.userId = userId;
    request.kind = KindCode(kindPosition);
    AccountDialogRules::CopyNarrow(request.newPassword, kMaxBytes, newPassword);
    AccountDialogRules::CopyNarrow(request.oldPassword, kMaxBytes, oldPassword);
    return request;
}
