#pragma once

// The plug-in's menu and tool commands, bound on the application object from
// the plug-in object's construction until shut-down. The composition root
// makes the one implementation.
class ICommands
{
public:
    virtual ~ICommands() = default;

    virtual void Connect() = 0;
    virtual void Disconnect() = 0;
};
