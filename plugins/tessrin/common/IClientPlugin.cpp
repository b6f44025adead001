#include "common/IClientPlugin.h"

IClientPlugin* g_plugin = nullptr;
