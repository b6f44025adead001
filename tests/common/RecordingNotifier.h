#pragma once

#include <functional>
#include <string>
#include <vector>
#include <wx/dataview.h>

// Logs every notification the model sends its control: "add 2", "delete 0",
// "change 1", "value 1 3", "reset 4".
class RecordingNotifier : public wxDataViewModelNotifier
{
public:
    explicit RecordingNotifier(std::vector<std::string>& log) : m_log(log) {}

    std::function<void(unsigned int row)> onDeleted;

    bool ItemAdded(const wxDataViewItem&, const wxDataViewItem& item) override { return Log("add", item); }
    bool ItemDeleted(const wxDataViewItem&, const wxDataViewItem& item) override
    {
        if(onDeleted) {
            onDeleted(Row(item));
        }
        return Log("delete", item);
    }
    bool ItemChanged(const wxDataViewItem& item) override { return Log("change", item); }
    bool ValueChanged(const wxDataViewItem& item, unsigned int column) override
    {
        m_log.push_back("value " + std::to_string(Row(item)) + " " + std::to_string(column));
        return true;
    }
    bool Cleared() override
    {
        m_log.push_back("cleared");
        return true;
    }
    void Resort() override { m_log.push_back("resort"); }

private:
    unsigned int Row(const wxDataViewItem& item) const
    {
        return static_cast<wxDataViewVirtualListModel*>(GetOwner())->GetRow(item);
    }
    bool Log(const char* what, const wxDataViewItem& item)
    {
        m_log.push_back(std::string(what) + " " + std::to_string(Row(item)));
        return true;
    }

    std::vector<std::string>& m_log;
};
