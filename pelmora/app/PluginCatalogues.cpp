#include "PluginCatalogues.h"

#include <memory>
#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/translation.h>

namespace {

// Catalogues of one folder only: the system's locale folders hold none of ours.
class FolderLoader : public wxTranslationsLoader
{
public:
    explicit FolderLoader(const wxString& folder) : m_folder(folder) {}

    wxMsgCatalog* LoadCatalog(const wxString& domain, const wxString& language) override
    {
        const wxString path = CataloguePath(language, domain);
        return wxFileName::FileExists(path) ? wxMsgCatalog::CreateFromFile(path, domain) : nullptr;
    }

    wxArrayString GetAvailableTranslations(const wxString& domain) const override
    {
        wxArrayString languages;
        wxDir dir(m_folder);
        wxString language;
        for(bool more = dir.IsOpened() && dir.GetFirst(&language, wxString(), wxDIR_DIRS); more;
            more = dir.GetNext(&language)) {
            if(wxFileName::FileExists(CataloguePath(language, domain))) {
                languages.Add(language);
            }
        }
        return languages;
    }

private:
    wxString CataloguePath(const wxString& language, const wxString& domain) const
    {
        return m_folder + "/" + language + "/LC_MESSAGES/" + domain + ".mo";
    }

    wxString m_folder;
};

// lib<name>.so -> <name>, in name order.
wxArrayString PluginNames(const wxString& pluginsFolder)
{
    wxArrayString files;
    if(wxDir::Exists(pluginsFolder)) {
        wxDir::GetAllFiles(pluginsFolder, &files, "*.so", wxDIR_FILES);
    }
    files.Sort();
    wxArrayString names;
    for(const wxString& file : files) {
        wxString name = wxFileName(file).GetName();
        name.StartsWith("lib", &name);
        names.Add(name);
    }
    return names;
}

wxArrayString AddCatalogues(wxTranslations& translations, const wxArrayString& names)
{
    wxArrayString loaded;
    for(const wxString& name : names) {
        // The keys are in no language: every language needs its file.
        if(translations.AddCatalog(name, wxLANGUAGE_UNKNOWN)) {
            loaded.Add(name);
        }
    }
    return loaded;
}

} // namespace

PluginCatalogues::Loaded PluginCatalogues::Load(const wxString& pluginsFolder)
{
    auto translations = std::make_unique<wxTranslations>();
    translations->SetLoader(new FolderLoader(pluginsFolder + "/locale"));
    translations->SetLanguage(wxLANGUAGE_DEFAULT);
    const wxArrayString names = PluginNames(pluginsFolder);
    Loaded loaded;
    loaded.domains = AddCatalogues(*translations, names);
    if(loaded.domains.empty()) {
        translations->SetLanguage(wxLANGUAGE_ENGLISH);
        loaded.domains = AddCatalogues(*translations, names);
    }
    if(!loaded.domains.empty()) {
        loaded.language = translations->GetBestTranslation(loaded.domains[0], wxLANGUAGE_UNKNOWN);
    }
    wxTranslations::Set(translations.release());
    return loaded;
}
