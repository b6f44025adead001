#pragma once

// A small record table and an observer that logs every call, shared by the
// record-table and unit-of-work tests.
#include "db/CObjectFactory.h"

#include <boost/multi_index/hashed_index.hpp>
#include <boost/multi_index/member.hpp>
#include <boost/multi_index/ordered_index.hpp>
#include <boost/multi_index/random_access_index.hpp>
#include <functional>
#include <string>
#include <vector>
#include <wx/string.h>

struct Item
{
    int id = 0;
    wxString name;
    int value = 0;
};

inline bool operator==(const Item& a, const Item& b)
{
    return a.id == b.id && a.name == b.name && a.value == b.value;
}

template <> struct RecordContainer<Item>
{
    using type = boost::multi_index_container<
        Item,
        boost::multi_index::indexed_by<
            boost::multi_index::hashed_unique<boost::multi_index::member<Item, int, &Item::id>>,
            boost::multi_index::ordered_non_unique<boost::multi_index::member<Item, wxString, &Item::name>>,
            boost::multi_index::random_access<>>>;
};

using ItemTable = CObjectFactory<Item>;

// Logs "<name>.<call> <id>" for every trigger call, plus the transaction
// (" tx") or the commit argument (" arg=N").
class RecordingObserver : public CActionTrigger<Item>, public CCommitTrigger<Item>
{
public:
    RecordingObserver(std::string name, std::vector<std::string>& log) : m_name(std::move(name)), m_log(log)
    {}

    bool allowAdd = true;
    bool allowUpdate = true;
    bool allowRemove = true;
    std::function<void(const Item&)> onBeforeAdd;
    std::function<void(const Item& stored)> onCommitAdd;
    std::function<void(const Item& stored, const Item& newValue)> onBeforeUpdate;
    std::function<void(const Item&)> onBeforeRemove;
    std::function<void(const Item& oldValue, const Item& stored)> onCommitUpdate;
    std::function<void(const Item& oldValue)> onCommitRemove;

    bool beforeAdd(const Item& record, CTransaction* transaction, void*) override
    {
        Log("beforeAdd", record, transaction);
        if(onBeforeAdd) {
            onBeforeAdd(record);
        }
        return allowAdd;
    }
    void afterAdd(const Item& stored, CTransaction* transaction, void*) override
    {
        Log("afterAdd", stored, transaction);
    }
    bool beforeUpdate(const Item& stored, const Item& newValue, CTransaction* transaction, void*) override
    {
        Log("beforeUpdate", stored, transaction);
        if(onBeforeUpdate) {
            onBeforeUpdate(stored, newValue);
        }
        return allowUpdate;
    }
    void afterUpdate(const Item& stored, CTransaction* transaction, void*) override
    {
        Log("afterUpdate", stored, transaction);
    }
    bool beforeRemove(const Item& stored, CTransaction* transaction, void*) override
    {
        Log("beforeRemove", stored, transaction);
        if(onBeforeRemove) {
            onBeforeRemove(stored);
        }
        return allowRemove;
    }
    void commitAdd(const Item& stored, int argument) override
    {
        LogCommit("commitAdd", stored, argument);
        if(onCommitAdd) {
            onCommitAdd(stored);
        }
    }
    void commitUpdate(const Item& oldValue, const Item& stored, int argument) override
    {
        LogCommit("commitUpdate", stored, argument);
        if(onCommitUpdate) {
            onCommitUpdate(oldValue, stored);
        }
    }
    void commitRemove(const Item& oldValue, int argument) override
    {
        LogCommit("commitRemove", oldValue, argument);
        if(onCommitRemove) {
            onCommitRemove(oldValue);
        }
    }

private:
    void Log(const char* call, const Item& item, CTransaction* transaction)
    {
        m_log.push_back(m_name + "." + call + " " + std::to_string(item.id) + (transaction ? " tx" : ""));
    }
    void LogCommit(const char* call, const Item& item, int argument)
    {
        m_log.push_back(m_name + "." + call + " " + std::to_string(item.id) +
                        " arg=" + std::to_string(argument));
    }

    std::string m_name;
    std::vector<std::string>& m_log;
};

inline Item MakeItem(int id, const char* name, int value)
{
    Item item;
    item.id = id;
    item.name = name;
    item.value = value;
    return item;
}
