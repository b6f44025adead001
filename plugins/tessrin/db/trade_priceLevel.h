#pragma once

#include <cstdint>
#include <wx/datetime.h>

// The depth of one symbol: 24 floats as the price report delivers them.
struct trade_priceLevel
{
    static constexpr int kDepth = 5;

    int priceLevelId = 0;
    float levels[24] = {};
    wxDateTime quoteTime;
    uint32_t refreshSerial = 0;

    // The first 20 floats: buy prices, buy volumes, sell prices, sell volumes.
    float BuyPrice(int level) const { return levels[level]; }
    float BuyVolume(int level) const { return levels[kDepth + level]; }
    float SellPrice(int level) const { return levels[2 * kDepth + level]; }
    float SellVolume(int level) const { return levels[3 * kDepth + level]; }
};

static_assert(sizeof(trade_priceLevel::levels) == 96, "the level block is 96 bytes");
