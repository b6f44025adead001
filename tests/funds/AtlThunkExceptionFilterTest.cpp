#include "funds/AtlThunkExceptionFilter.h"

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Memory as the filter sees it: one readable range of bytes, and a record of
// the protection changes asked for.
class FakeMemory : public FaultMemory
{
public:
    FakeMemory(uintptr_t base, std::vector<uint8_t> bytes, bool allowChange)
        : m_base(base), m_bytes(std::move(bytes)), m_allowChange(allowChange)
    {}

    bool Read(uintptr_t address, uint8_t (&bytes)[4]) const override
    {
        if(address < m_base || address - m_base + 4 > m_bytes.size()) {
            return false;
        }
        std::memcpy(bytes, &m_bytes[address - m_base], 4);
        return true;
    }

    bool MakeExecutable(uintptr_t address, size_t size) override
    {
        changes.push_back({address, size});
        return m_allowChange;
    }

    struct Change
    {
        uintptr_t address;
        size_t size;
    };
    std::vector<Change> changes;

private:
    uintptr_t m_base;
    std::vector<uint8_t> m_bytes;
    bool m_allowChange;
};

const uintptr_t kThunk = 0x00410000;
const std::vector<uint8_t> kThunkBytes = {0xC7, 0x44, 0x24, 0x04, 0x78, 0x56, 0x34, 0x12, 0xE9};

TEST(AtlThunkExceptionFilter, OnlyAnExecuteFaultOnAReadableThunkWhoseMemoryChangedRunsOn)
{
    struct Case
    {
        const char* name;
        uint32_t code;
        FaultAccess access;
        uintptr_t address;
        std::vector<uint8_t> bytes;
        bool allowChange;
        FilterVerdict verdict;
        bool changeAsked;
    };
    const Case cases[] = {
        {"execute fault on a thunk", kAccessViolation, FaultAccess::Execute, kThunk, kThunkBytes, true,
         EXCEPTION_CONTINUE_EXECUTION, true},
        {"another exception code", 0xC0000094u, FaultAccess::Execute, kThunk, kThunkBytes, true,
         EXCEPTION_CONTINUE_SEARCH, false},
        {"other first bytes",
         kAccessViolation,
         FaultAccess::Execute,
         kThunk,
         {0x55, 0x8B, 0xEC, 0x83, 0xEC},
         true,
         EXCEPTION_CONTINUE_SEARCH,
         false},
        {"thunk bytes in the wrong order",
         kAccessViolation,
         FaultAccess::Execute,
         kThunk,
         {0x04, 0x24, 0x44, 0xC7},
         true,
         EXCEPTION_CONTINUE_SEARCH,
         false},
        {"write fault in a thunk's store", kAccessViolation, FaultAccess::Write, kThunk, kThunkBytes, true,
         EXCEPTION_CONTINUE_SEARCH, false},
        {"read fault", kAccessViolation, FaultAccess::Read, kThunk, kThunkBytes, true,
         EXCEPTION_CONTINUE_SEARCH, false},
        {"unreadable address", kAccessViolation, FaultAccess::Execute, kThunk + 0x1000, kThunkBytes, true,
         EXCEPTION_CONTINUE_SEARCH, false},
        {"readable for fewer than four bytes", kAccessViolation, FaultAccess::Execute, kThunk + 6,
         kThunkBytes, true, EXCEPTION_CONTINUE_SEARCH, false},
        {"protection change refused", kAccessViolation, FaultAccess::Execute, kThunk, kThunkBytes, false,
         EXCEPTION_CONTINUE_SEARCH, true},
    };
    for(const Case& c : cases) {
        FakeMemory memory(kThunk, c.bytes, c.allowChange);
        const FaultDescription fault{c.code, c.access, c.address};
        EXPECT_EQ(c.verdict, AtlThunkExceptionFilter(fault, memory)) << c.name;
        if(c.changeAsked) {
            ASSERT_EQ(1u, memory.changes.size()) << c.name;
            EXPECT_EQ(c.address, memory.changes[0].address) << c.name;
            EXPECT_EQ(100u, memory.changes[0].size) << c.name;
        } else {
            EXPECT_TRUE(memory.changes.empty()) << c.name << ": nothing changes protection";
        }
    }
}

} // namespace
