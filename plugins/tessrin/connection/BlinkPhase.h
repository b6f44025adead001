#pragma once

// The blink phase of the connection icons: 1 at load, switched between 1 and 2
// by the plug-in's 500 ms tick. The login machines report it as their status
// while a login is under way. GUI thread only.
extern int g_blinkPhase;
