#include "frame/TradeApiLibrary.h"

#include <pelmora/clDynamicLibrary.h>
#include <wx/log.h>

namespace {
// The address of an export; null when the library lacks it.
template <class Function> Function BindSymbol(clDynamicLibrary& library, const char* name)
{
    bool found = false;
    void* address = library.GetSymbol(name, &found);
    return found ? reinterpret_cast<Function>(address) : nullptr;
}
} // namespace

TradeApiLibrary::TradeApiLibrary() = default;

TradeApiLibrary::~TradeApiLibrary()
{
    Unload();
}

bool TradeApiLibrary::Load(const wxString& name)
{
    if(m_library && m_library->IsLoaded() && m_libraryName == name) {
        return true;
    }
    Unload();
    m_libraryName = name;
    m_library = std::make_unique<clDynamicLibrary>();
    // The name comes from a file: a path in it would load code from anywhere.
    if(!clDynamicLibrary::IsBareName(name)) {
        wxLogWarning("Trade API library \"%s\" refused: the server list may name only a library file of "
                     "the program's own folder",
                     name);
    }
    bool bound = m_library->LoadFromHostFolders(name);
    if(bound) {
        m_globalInit = BindSymbol<GlobalInitFn>(*m_library, "GlobalInit");
        m_globalUnInit = m_globalInit ? BindSymbol<GlobalUnInitFn>(*m_library, "GlobalUnInit") : nullptr;
        m_createClientApi =
            m_globalUnInit ? BindSymbol<CreateClientApiFn>(*m_library, "CreateClientApi") : nullptr;
        m_createTradeApi =
            m_createClientApi ? BindSymbol<CreateTradeApiFn>(*m_library, "CreateTradeApi") : nullptr;
        m_createMDApi = m_createTradeApi ? BindSymbol<CreateMDApiFn>(*m_library, "CreateMDApi") : nullptr;
        bound = m_createMDApi != nullptr;
    }
    if(!bound) {
        wxLogDebug("Trade API library \"%s\": %s", name, m_library->GetError());
        // Nothing of a half-bound library is kept: a later request for the
        // same name loads it afresh.
        ClearEntryPoints();
        m_library.reset();
        m_libraryName.clear();
        return false;
    }
    m_globalInit();
    m_clientApi = m_createClientApi();
    if(!m_clientApi) {
        Unload();
        return false;
    }
    return true;
}

void TradeApiLibrary::Unload()
{
    if(m_clientApi) {
        m_clientApi->Release();
        m_clientApi = nullptr;
    }
    if(m_globalUnInit) {
        m_globalUnInit();
    }
    ClearEntryPoints();
    if(m_library) {
        m_library->Detach();
        m_library.reset();
    }
    m_libraryName.clear();
}

CTradeApi* TradeApiLibrary::CreateTradeApi(CTradeApiCallback* callback, const char* login)
{
    return m_createTradeApi ? m_createTradeApi(m_clientApi, callback, login, 0) : nullptr;
}

CMDApi* TradeApiLibrary::CreateMDApi(CMDApiCallback* callback, const char* login)
{
    return m_createMDApi ? m_createMDApi(m_clientApi, callback, login, 0) : nullptr;
}

void TradeApiLibrary::ClearEntryPoints()
{
    m_globalInit = nullptr;
    m_globalUnInit = nullptr;
    m_createClientApi = nullptr;
    m_createTradeApi = nullptr;
    m_createMDApi = nullptr;
}
