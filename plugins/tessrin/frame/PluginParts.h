#pragma once

#include "frame/IChartPages.h"
#include "frame/ICommands.h"
#include "frame/IFundsWindows.h"
#include "frame/IPaneSet.h"

#include <functional>
#include <memory>

class TessrinPlugin;

// The parts of the plug-in object that know the features, made by the
// composition root for the plug-in object that owns them.
struct PluginParts
{
    std::unique_ptr<IPaneSet> panes;
    std::unique_ptr<IChartPages> charts;
    std::unique_ptr<IFundsWindows> funds;
    std::unique_ptr<ICommands> commands;
};

// Makes the parts of a plug-in object while it is being constructed: the
// parts keep the reference and must not call it yet.
using PluginPartsFactory = std::function<PluginParts(TessrinPlugin&)>;
