#pragma once
// Every structure of the trade API, by concern.
#include "tradeapi/FFixAccount.h"
#include "tradeapi/FFixBinary.h"
#include "tradeapi/FFixCommon.h"
#include "tradeapi/FFixGoods.h"
#include "tradeapi/FFixMoney.h"
#include "tradeapi/FFixOrder.h"
#include "tradeapi/FFixSymbol.h"
