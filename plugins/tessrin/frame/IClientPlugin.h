#pragma once

#include <pelmora/IPlugin.h>

class CTradeApi;
class ErrorTextTable;
class RecordStore;
class RequestNotify;
class clConfig;
class wxAuiToolBar;

// What the panes and dialogs of the plug-in ask of the plug-in object beyond
// the host interface. The order of the virtual operations is fixed: append,
// never reorder.
class IClientPlugin : public IPlugin
{
public:
    explicit IClientPlugin(HostManager* manager) : IPlugin(manager) {}
    ~IClientPlugin() override = default;

    virtual ErrorTextTable* GetErrorTable() = 0;
    virtual RecordStore* GetDatabase() = 0;
    // The configuration over Tessrin.con; null before start-up and after unload.
    virtual clConfig* GetConfig() = 0;
    // The trade API object of the current login; null while there is none.
    virtual CTradeApi* GetTradeApi() = 0;
    virtual wxAuiToolBar* GetToolBar() = 0;
    // The pending-request registry, created on first use.
    virtual RequestNotify* GetRequestNotify() = 0;
    // Takes the next id of the one request counter.
    virtual int NextRequestId() = 0;
};
