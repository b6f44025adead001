#include "common/IClientPlugin.h"

IClientPlugin* g_plugin = nullptr;

Client* LoginClient()
{
    return g_plugin ? g_plugin->GetClient().get() : nullptr;
}
