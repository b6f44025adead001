#include "funds/PayPortRegistRules.h"

#include "db/user_Account.h"
#include "db/user_Payport.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>
#include <wx/intl.h>
#include <wx/strconv.h>

namespace {

// The text in the system's narrow encoding; false when it cannot be converted.
bool Narrow(const wxString& text, std::string& bytes)
{
    const wxScopedCharBuffer converted = text.mb_str(*wxConvCurrent);
    if(converted.data() == nullptr) {
        return false;
    }
    bytes.assign(converted.data(), converted.length());
    return true;
}

// Copies at most the field less its last byte; the caller has checked that
// the text fits.
template <std::size_t N> void CopyWhole(char (&field)[N], const std::string& bytes)
{
    std::memcpy(field, bytes.data(), std::min(bytes.size(), N - 1));
}

// The longest leading part of the text whose narrow form takes at most
// `maxBytes`, so that no character is cut in half.
std::string NarrowPrefix(const wxString& text, std::size_t maxBytes)
{
    std::string fitting;
    wxString prefix;
    for(wxString::const_iterator it = text.begin(); it != text.end(); ++it) {
        prefix += *it;
        std::string candidate;
        if(!Narrow(prefix, candidate) || candidate.size() > maxBytes) {
            break;
        }
        fitting = candidate;
    }
    return fitting;
}

template <std::size_t N> void CopyPassword(char (&field)[N], const wxString& text)
{
    static_assert(N > PayPortRegistRules::kPasswordBytes, "room for 24 bytes and a zero");
    CopyWhole(field, NarrowPrefix(text, PayPortRegistRules::kPasswordBytes));
}

} // namespace

const std::vector<wxString>& PayPortRegistRules::IdentityTypeTexts()
{
    static const std::vector<wxString> texts = {
        wxTRANSLATE("identity"),   wxTRANSLATE("driving licence"), wxTRANSLATE("passport"),
        wxTRANSLATE("Company ID"), wxTRANSLATE("Company License"), wxTRANSLATE("Other")};
    return texts;
}

char PayPortRegistRules::IdentityCode(int index)
{
    return index >= 0 && index <= 4 ? static_cast<char>('1' + index) : '6';
}

int PayPortRegistRules::IdentityIndex(char type)
{
    return type >= '1' && type <= '5' ? type - '1' : 5;
}

std::size_t PayPortRegistRules::NarrowBytes(const wxString& text)
{
    std::string bytes;
    return Narrow(text, bytes) ? bytes.size() : std::numeric_limits<std::size_t>::max();
}

std::size_t PayPortRegistRules::Utf8Bytes(const wxString& text)
{
    return text.utf8_string().size();
}

PayPortRegistRules::Check PayPortRegistRules::CheckRegist(const RegistInput& input)
{
    if(input.bank.empty()) {
        return {wxTRANSLATE("Please Select Bank!"), eBankField};
    }
    if(input.card.empty()) {
        return {wxTRANSLATE("Please input bank card number!"), eCardField};
    }
    if(input.cardConfirm.empty()) {
        return {wxTRANSLATE("Please input confirm bank card number!"), eCardConfirmField};
    }
    if(input.card != input.cardConfirm) {
        return {wxTRANSLATE("Confirm bank card error!"), eCardConfirmField};
    }
    if(input.accountName.empty()) {
        return {wxTRANSLATE("Please input account name!"), eAccountNameField};
    }
    if(input.idCard.empty()) {
        return {wxTRANSLATE("Please input id card!"), eIdCardField};
    }
    if(input.moneyPassword.empty()) {
        return {wxTRANSLATE("Please input money password!"), eMoneyPasswordField};
    }
    // A cut text would register another card, name or document.
    if(NarrowBytes(input.card) > kCardBytes) {
        return {wxTRANSLATE("Bank card number too long!"), eCardField};
    }
    if(Utf8Bytes(input.accountName) > kAccountNameBytes) {
        return {wxTRANSLATE("Account name too long!"), eAccountNameField};
    }
    if(NarrowBytes(input.idCard) > kIdCardBytes) {
        return {wxTRANSLATE("ID card too long!"), eIdCardField};
    }
    return {};
}

PayPortRegistRules::Check PayPortRegistRules::CheckUnRegist(const wxString& moneyPassword)
{
    if(moneyPassword.empty()) {
        return {wxTRANSLATE("Please input money password!"), eMoneyPasswordField};
    }
    return {};
}

sFFixRegistPayPort PayPortRegistRules::MakeRegistRequest(int userId, const RegistInput& input,
                                                         int sysPayPortId, const wxString& bankPassword)
{
    sFFixRegistPayPort request;
    std::memset(&request, 0, sizeof request);
    request.userId = userId;
    request.identityType = IdentityCode(input.idTypeIndex);
    std::string bytes;
    if(Narrow(input.idCard, bytes) && bytes.size() <= kIdCardBytes) {
        CopyWhole(request.identityNumber, bytes);
    }
    if(Narrow(input.card, bytes) && bytes.size() <= kCardBytes) {
        CopyWhole(request.bankCardNumber, bytes);
    }
    bytes = input.accountName.utf8_string();
    if(bytes.size() <= kAccountNameBytes) {
        CopyWhole(request.accountName, bytes);
    }
    request.sysPayPortId = sysPayPortId;
    CopyPassword(request.moneyPassword, input.moneyPassword);
    CopyPassword(request.bankPassword, bankPassword);
    return request;
}

sFFixUnRegistPayPort PayPortRegistRules::MakeUnRegistRequest(int userId, int sysPayPortId,
                                                             const wxString& moneyPassword,
                                                             const wxString& bankPassword)
{
    sFFixUnRegistPayPort request;
    std::memset(&request, 0, sizeof request);
    request.userId = userId;
    request.sysPayPortId = sysPayPortId;
    CopyPassword(request.moneyPassword, moneyPassword);
    CopyPassword(request.bankPassword, bankPassword);
    return request;
}

wxString PayPortRegistRules::SeatText(const user_Payport* registration, const user_Account* account)
{
    if(registration) {
        const wxString seat = wxString::Format("%lld", static_cast<long long>(registration->payportKey));
        if(!registration->seatSuffix.empty() && registration->seatSuffix != seat) {
            return seat + ":" + registration->seatSuffix;
        }
        return seat;
    }
    if(account && account->seatNumber / 10 == account->userId) {
        return wxString::Format("%lld", static_cast<long long>(account->seatNumber));
    }
    return wxString();
}

PayPortRegistRules::Mode PayPortRegistRules::GetMode(const user_Payport* registration)
{
    return registration && registration->registState != '1' ? eUnRegist : eRegist;
}

wxString PayPortRegistRules::ActionText(Mode mode)
{
    return mode == eUnRegist ? wxTRANSLATE("UnRegist") : wxTRANSLATE("Regist");
}
