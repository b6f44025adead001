#include "ClientLibrary.h"

#include <cstdlib>
#include <dlfcn.h>
#include <stdexcept>

ClientLibrary::ClientLibrary()
{
    const char* build = std::getenv("TESSRIN_BUILD_DIR");
    const std::string path = std::string(build ? build : ".") + "/bin/libClientApi.so";
    m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if(!m_handle)
        throw std::runtime_error(std::string("dlopen: ") + dlerror());
    auto init = reinterpret_cast<GlobalInitFn>(dlsym(m_handle, "GlobalInit"));
    auto create = reinterpret_cast<CreateClientApiFn>(dlsym(m_handle, "CreateClientApi"));
    m_createTrade = reinterpret_cast<CreateTradeApiFn>(dlsym(m_handle, "CreateTradeApi"));
    m_createMd = reinterpret_cast<CreateMDApiFn>(dlsym(m_handle, "CreateMDApi"));
    m_unInit = reinterpret_cast<GlobalUnInitFn>(dlsym(m_handle, "GlobalUnInit"));
    if(!init || !create || !m_createTrade || !m_createMd || !m_unInit)
        throw std::runtime_error("libClientApi.so lacks an export");
    init();
    m_client = create();
}

ClientLibrary::~ClientLibrary()
{
    if(m_client)
        m_client->Release();
    if(m_unInit)
        m_unInit();
    if(m_handle)
        dlclose(m_handle);
}

CTradeApi* ClientLibrary::NewTrade(CTradeApiCallback& callback, const char* login) const
{
    return m_createTrade(m_client, &callback, login, 0);
}

CMDApi* ClientLibrary::NewMd(CMDApiCallback& callback, const char* login) const
{
    return m_createMd(m_client, &callback, login, 0);
}
