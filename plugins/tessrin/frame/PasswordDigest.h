#pragma once

#include <wx/buffer.h>
#include <wx/string.h>

// The digest the login keeps of the password and the lock screen compares
// against: MD5 of the password's UTF-8 bytes, all of them. For a plain ASCII
// password these are its characters; for any other, every byte counts, so
// two passwords that differ only after the first non-ASCII character never
// share a digest, whatever the locale.
wxMemoryBuffer PasswordDigest(const wxString& password);

// True when `digest` holds 16 bytes and they are the digest of `typed`. An
// empty digest (nobody has logged in yet) matches nothing.
bool PasswordMatchesDigest(const wxString& typed, const wxMemoryBuffer& digest);
