#pragma once

#include <cstddef>
#include <string>
#include <wx/string.h>

struct sFFixReqUserLogin;

// Filling the fixed-width text fields of request structures.

// The text in the current locale's narrow encoding; false when a character
// has no narrow form (the text would change on the way).
bool ToNarrowText(const wxString& text, std::string& narrow);

// strncpy into a field of n bytes: a shorter text is padded with zero bytes,
// a text of n bytes or more is cut at n and gets no terminator.
char* CopyToCharField(char* field, const wxString& text, std::size_t n);

// Standard padded base64 of the bytes.
wxString Base64Field(const void* bytes, std::size_t length);

// The longest bank password that survives masking: its base64 text must fit
// the 24 characters written back.
constexpr std::size_t kMaxBankPasswordBytes = 18;
constexpr std::size_t kMaskedPasswordChars = 24;

// Masks the password held in the field (at most 24 bytes are read): each
// byte is XOR-ed with byte (i mod 4) of the request id in little-endian
// order, and the field receives the base64 text of the result, zero-padded
// to 24 bytes. A password of more than 18 bytes is left untouched and false
// returned, because its base64 text would be cut.
bool MaskPasswordField(char* field, int requestId);

// Builds the 680-byte login request: login name (33 bytes), password (25)
// and local address (25), each fixed-width, the rest zero. False, with the
// request zeroed, when the login name or the password does not fit its field
// or has no narrow form: cutting a credential would send a different one.
bool FillLoginRequest(sFFixReqUserLogin& request, const wxString& loginName, const wxString& password,
                      const wxString& localIp);
