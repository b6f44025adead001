#ifndef PELMORA_PMDATAVIEWCTRLCONFIG_H
#define PELMORA_PMDATAVIEWCTRLCONFIG_H

#include "pelmora/SerializedObject.h"

#include <vector>
#include <wx/string.h>
#include <wx/weakref.h>
#include <wx/window.h>

class pmDataViewCtrl;

// The column layout of a data-view control, stored by name in the editor
// configuration: the shown state of each optional column under its key, and
// for every column its model column, width (-2: sized to its contents),
// position and shown state.
//
// Fill it before or after the control exists (register the optional columns
// with AddDynColumn first, then read it); pmDataViewCtrl::SetConfig applies it
// and keeps it in step with what the user changes. A stored layout that does
// not fit the control is applied as far as it fits. Subclasses write their
// own keys, then call this class's Serialize/DeSerialize.
class pmDataViewCtrlConfig : public SerializedObject
{
public:
    struct Column
    {
        int modelColumn;
        int width;
        int position;
        bool shown;
    };
    struct DynColumn
    {
        wxString key;
        int modelColumn;
        bool shown;
    };

    // `ctrl`: the control whose layout this is; null when it is read before
    // the control exists.
    explicit pmDataViewCtrlConfig(pmDataViewCtrl* ctrl = nullptr);
    // A control still holding the object lets go of it first.
    ~pmDataViewCtrlConfig() override;
    pmDataViewCtrlConfig(const pmDataViewCtrlConfig&) = delete;
    pmDataViewCtrlConfig& operator=(const pmDataViewCtrlConfig&) = delete;

    // A column the user may show or hide; a second call for the key is ignored.
    void AddDynColumn(const wxString& key, int modelColumn, bool shownByDefault);
    const std::vector<DynColumn>& GetDynColumns() const { return m_dynColumns; }
    // The optional column of that model column; null when it is none.
    const DynColumn* FindDynColumn(int modelColumn) const;
    void SetDynColumnShown(int modelColumn, bool shown);

    // The layout as last read or taken from the control.
    const std::vector<Column>& GetColumns() const { return m_columns; }
    void SetColumns(const std::vector<Column>& columns) { m_columns = columns; }

    // The control's columns (in display order, with their given widths: -2
    // for one that sizes itself) as this layout arranges them: stored columns
    // take their stored widths (where sensible) and share the places they
    // hold among themselves in stored order; a column the layout does not
    // know keeps its place and width; an optional column takes its shown
    // state, the others keep theirs. Entries of unknown model columns and
    // repeated entries are passed over.
    std::vector<Column> Arrange(const std::vector<Column>& current) const;

    // The control the layout belongs to, while it exists.
    pmDataViewCtrl* GetCtrl() const;

    // Writing takes the control's current layout first.
    void Serialize(Archive& arch) override;
    void DeSerialize(Archive& arch) override;

private:
    friend class pmDataViewCtrl;

    wxWeakRef<wxWindow> m_ctrl;
    std::vector<DynColumn> m_dynColumns;
    std::vector<Column> m_columns;
};

#endif // PELMORA_PMDATAVIEWCTRLCONFIG_H
