#include "funds/AtlThunkExceptionFilter.h"

FilterVerdict AtlThunkExceptionFilter(const FaultDescription& fault, FaultMemory& memory)
{
    // A write fault in a thunk's own store (an exhausted stack) would fault
    // again after any protection change: running on would never end.
    if(fault.code != kAccessViolation || fault.access != FaultAccess::Execute) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    uint8_t bytes[4];
    if(!memory.Read(fault.address, bytes)) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    const uint32_t first = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    if(first != kWindowThunkStart) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    if(!memory.MakeExecutable(fault.address, kWindowThunkProtectSize)) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    return EXCEPTION_CONTINUE_EXECUTION;
}
