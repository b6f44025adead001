#pragma once

#include <cstddef>
#include <cstdint>

// The decision of the window-thunk exception filter, kept apart from the
// operating system: a window thunk (code a window library writes into a data
// page) faults on its first instruction where data pages cannot execute; the
// filter makes that memory executable and lets the instruction run again.
// Nothing installs it on this platform, where no window thunk exists.

enum class FaultAccess { Read, Write, Execute };

struct FaultDescription
{
    uint32_t code = 0; // 0xC0000005: access violation
    FaultAccess access = FaultAccess::Read;
    uintptr_t address = 0; // the faulting instruction
};

// The filter's view of the process memory.
class FaultMemory
{
public:
    virtual ~FaultMemory() = default;
    // False when the four bytes cannot be read.
    virtual bool Read(uintptr_t address, uint8_t (&bytes)[4]) const = 0;
    // Makes the range executable, readable and writable; false when refused.
    virtual bool MakeExecutable(uintptr_t address, size_t size) = 0;
};

enum FilterVerdict : int {
    EXCEPTION_CONTINUE_EXECUTION = -1,
    EXCEPTION_CONTINUE_SEARCH = 0,
};

constexpr uint32_t kAccessViolation = 0xC0000005u;
constexpr uint32_t kWindowThunkStart = 0x042444C7u; // C7 44 24 04: mov dword [esp+4], imm32
constexpr size_t kWindowThunkProtectSize = 100;

// Continues execution only for an execute violation on a readable window
// thunk whose memory was made executable; anything else goes on to the
// process's normal crash handling.
FilterVerdict AtlThunkExceptionFilter(const FaultDescription& fault, FaultMemory& memory);
