#pragma once
// What the hang-order tests share: a record store with symbols, and scratch
// data and user folders (Tessrin.con with "StoreNames", storeorder.con) set
// for the whole program, since the process-wide store is loaded once.
#include "ScopedEnv.h"
#include "ScratchFolder.h"
#include "db/RecordStore.h"
#include "orders/HandOrderDlg.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <nlohmann/json.hpp>
#include <wx/ffile.h>
#include <wx/filename.h>

inline void WriteTextFile(const wxString& path, const std::string& text)
{
    wxFileName::Mkdir(wxFileName(path).GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    wxFFile file(path, "wb");
    ASSERT_TRUE(file.IsOpened()) << path;
    file.Write(text.data(), text.size());
}

inline nlohmann::ordered_json ReadJsonFile(const wxString& path)
{
    wxFFile file(path, "rb");
    wxString text;
    if(!file.IsOpened() || !file.ReadAll(&text, wxConvUTF8)) {
        return nullptr;
    }
    return nlohmann::ordered_json::parse(text.utf8_string(), nullptr, false);
}

// The data and user folders of the program; "StoreNames" is "A,B\,C".
class HangOrderFolders : public ::testing::Environment
{
public:
    void SetUp() override
    {
        m_folder = std::make_unique<ScratchFolder>("tessrin-hang");
        m_data = std::make_unique<ScopedEnv>("PELMORA_DATA_DIR", DataDir());
        m_user = std::make_unique<ScopedEnv>("PELMORA_USER_DATA_DIR", UserDir());
        WriteTextFile(DataDir() + "/config/Tessrin.con", R"({"StoreNames": "A,B\\,C"})");
    }
    void TearDown() override
    {
        m_user.reset();
        m_data.reset();
        m_folder.reset();
    }
    wxString DataDir() const { return m_folder->Path() + "/data"; }
    wxString UserDir() const { return m_folder->Path() + "/user"; }
    wxString StoreFile() const { return UserDir() + "/config/storeorder.con"; }

private:
    std::unique_ptr<ScratchFolder> m_folder;
    std::unique_ptr<ScopedEnv> m_data;
    std::unique_ptr<ScopedEnv> m_user;
};

// A store with every table and the given symbols (id, market type, code,
// name), inserted in the order given.
struct SymbolRow
{
    int id;
    char marketType;
    const char* code;
    const char* name;
};

inline std::unique_ptr<RecordStore> MakeStore(std::initializer_list<SymbolRow> symbols)
{
    auto store = std::make_unique<RecordStore>();
    store->CreateTables();
    for(const SymbolRow& row : symbols) {
        symbol_Property property;
        property.symbolId = row.id;
        property.symbolCode = row.code;
        property.symbolName = wxString::FromUTF8(row.name);
        store->m_symbol_Property_table->Insert(property);
        symbol_Info symbol;
        symbol.symbolId = row.id;
        symbol.marketType = row.marketType;
        symbol.symbolCode = row.code;
        store->m_symbol_Info_table->Insert(symbol);
    }
    return store;
}

inline const symbol_Info& SymbolOf(const RecordStore& store, int id)
{
    return *store.m_symbol_Info_table->GetIndexByPrimary().find(id);
}

// ShowModal's answer when the action left the dialog open.
inline constexpr int kStillOpen = wxID_ABORT;

// Shows the dialog modally, runs the action inside its modal loop and ends
// the loop itself when the action did not.
inline int RunModal(HandOrderDlg& dialog, std::function<void(HandOrderDlg&)> action)
{
    dialog.CallAfter([&dialog, action] {
        action(dialog);
        if(dialog.IsModal()) {
            dialog.EndModal(kStillOpen);
        }
    });
    return dialog.ShowModal();
}

inline void PressOk(HandOrderDlg& dialog)
{
    wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
    click.SetEventObject(dialog.GetButtonOK());
    dialog.GetButtonOK()->GetEventHandler()->ProcessEvent(click);
}
