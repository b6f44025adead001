#pragma once
// Layout checks shared by every structure header: the structures travel as raw
// bytes between the library, the market and the plug-in, so each size and each
// field offset is pinned at compile time.
#include <cstddef>
#include <cstdint>

#define FFIX_SIZE(T, n) static_assert(sizeof(T) == (n), #T " size")
#define FFIX_AT(T, f, off) static_assert(offsetof(T, f) == (off), #T "." #f " offset")
