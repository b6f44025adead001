#include "connection/RequestId.h"

#include <cstdint>
#include <ctime>

int g_requestId = static_cast<int>(static_cast<std::uint32_t>(std::time(nullptr)));

int NextRequestId()
{
    // Unsigned arithmetic: wrapping is defined, signed overflow is not.
    g_requestId = static_cast<int>(static_cast<std::uint32_t>(g_requestId) + 1u);
    return g_requestId;
}
