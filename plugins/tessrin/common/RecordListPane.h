#pragma once

#include "common/ListPane.h"

// A list pane over one model, with the model's records at hand: the one the
// user selected, and selecting one by its key.
template <class Model> class RecordListPane : public ListPane
{
public:
    using Record = typename Model::Record;

    // Null once the pane lets go of the model on its way out.
    Model* GetModel() const { return static_cast<Model*>(GetModelBase()); }

    // The record of the one selected row; null with no row, several rows or
    // a row past the records (a total row).
    const Record* GetSelectedRecord() const
    {
        const Model* model = GetModel();
        if(!model || !GetList()) {
            return nullptr;
        }
        wxDataViewItemArray selection;
        GetList()->GetSelections(selection);
        return model->GetSelectedRecord(selection);
    }

    // Selects the first row whose record's key text equals `key`
    // (case-sensitive) as the only selection, scrolled into view; false, and
    // nothing changed, when none matches.
    template <class KeyOf> bool SelectRecord(const wxString& key, KeyOf keyOf)
    {
        Model* model = GetModel();
        const int row = model && GetList() ? model->FindRow(key, keyOf) : -1;
        if(row < 0) {
            return false;
        }
        const wxDataViewItem item = model->GetItem(static_cast<unsigned int>(row));
        GetList()->UnselectAll();
        GetList()->Select(item);
        GetList()->EnsureVisible(item);
        return true;
    }

protected:
    using ListPane::ListPane;

    void CreateList(Model* model, long style = kListStyle) { ListPane::CreateList(model, style); }
};
