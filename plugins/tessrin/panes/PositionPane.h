#pragma once

#include "common/RecordListPane.h"
#include "panes/PositionActions.h"
#include "panes/PositionModel.h"

class wxMenu;

// The "Position" page: the net position of every symbol and their total.
// A click on a quantity link, the menu or a double click opens the order
// dialog to close a side of the selected position or to place a new order.
class PositionPane : public RecordListPane<PositionModel>
{
public:
    static constexpr const char* kConfigName = "PositionPaneCfg";

    PositionPane(RecordStore* db, HostManager* mgr, wxWindow* parent);
    ~PositionPane() override;

    // The context menu; the control owns it.
    wxMenu* GetMenu() const { return m_menu; }

protected:
    // Links in the quantity columns.
    wxDataViewRenderer* CreateRenderer(const ListColumn& column) override;
    // The link's row becomes the only selection; its side is closed.
    void OnLinkClicked(wxDataViewEvent& event) override;

private:
    // Before the menu shows: true (no menu) without a position under the
    // pointer, else the close items follow the position's quantities.
    bool OnPopupMenu(wxDataViewEvent& event);
    void OnClosePositionCommand(wxCommandEvent& event);
    void OnNewOrderCommand(wxCommandEvent& event);
    // Double click (or Enter) on a row: the column decides the side.
    void OnItemActivated(wxDataViewEvent& event);

    // The close dialog of one side of the selected position.
    void ClosePosition(PositionSide side);
    // A new market order of the selected position's symbol.
    void NewOrder(char direction);

    wxMenu* m_menu = nullptr; // owned by the control
};
