#pragma once

#include <cstdint>

// Kept only so that the store has its table; nothing writes or reads it.
struct trade_priceList
{
    int id = 0;
    uint32_t refreshSerial = 0;
};
