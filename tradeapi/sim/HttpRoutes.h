#pragma once
// The one place where the market's HTTP services are registered.
#include "HttpServices.h"

namespace simmarket {

class SimMarket;

void AddHttpRoutes(HttpServices& services, SimMarket& market);

} // namespace simmarket
