#include "db/user_Payport.h"

int64_t user_Payport::MakePayportKey(int32_t firstId, int32_t secondId)
{
    const uint64_t high = static_cast<uint64_t>(static_cast<uint32_t>(firstId)) << 32;
    const uint64_t low = static_cast<uint32_t>(secondId);
    return static_cast<int64_t>(high | low);
}
