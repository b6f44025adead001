// A shared library in the plug-in folder that is no plug-in.
extern "C" int PelmoraNotAPlugin()
{
    return 1;
}
