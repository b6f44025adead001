#pragma once
// What the request log shows of a request frame: the operation's name and
// its main fields by name. Passwords never appear; a body of the wrong size
// gives only its size.
#include "Frame.h"

#include <nlohmann/json.hpp>
#include <string>

namespace simmarket {

// "ReqSetOrder" for 1008 and so on; "request <code>" for an unknown code.
std::string RequestName(uint32_t requestCode);
nlohmann::json RequestFieldsJson(const tradeapi::wire::Frame& frame);

} // namespace simmarket
