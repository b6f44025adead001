#pragma once

#include <cstddef>
#include <cstdint>
#include <wx/string.h>

// 32-bit hash of a text for the hashed indices keyed by text: the UTF-8 bytes,
// each sign-extended, folded from seed 0 with the boost hash_range combine.
uint32_t hash_value(const wxString& text);

struct RecordTextHash
{
    std::size_t operator()(const wxString& text) const { return hash_value(text); }
};
