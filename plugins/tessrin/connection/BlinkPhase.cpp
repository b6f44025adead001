#include "connection/BlinkPhase.h"

int g_blinkPhase = 1;
