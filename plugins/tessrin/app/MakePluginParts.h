#pragma once

#include "frame/PluginParts.h"

// The parts that wire the features into a plug-in object: its panes, symbol
// pages, money windows and commands.
PluginParts MakePluginParts(TessrinPlugin& plugin);
