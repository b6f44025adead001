#include "frame/PasswordDigest.h"

#include "frame/Md5Digest.h"

#include <cstring>

wxMemoryBuffer PasswordDigest(const wxString& password)
{
    const wxScopedCharBuffer bytes = password.utf8_str();
    wxMemoryBuffer digest(kMd5DigestSize);
    Md5Digest(bytes.data(), bytes.length(), static_cast<unsigned char*>(digest.GetWriteBuf(kMd5DigestSize)));
    digest.UngetWriteBuf(kMd5DigestSize);
    return digest;
}

bool PasswordMatchesDigest(const wxString& typed, const wxMemoryBuffer& digest)
{
    if(digest.GetDataLen() != kMd5DigestSize) {
        return false;
    }
    const wxMemoryBuffer typedDigest = PasswordDigest(typed);
    return std::memcmp(typedDigest.GetData(), digest.GetData(), kMd5DigestSize) == 0;
}
