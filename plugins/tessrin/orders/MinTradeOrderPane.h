#pragma once

#include "common/RecordListPane.h"
#include "orders/MinTradeOrderModel.h"

class SoundPlayer;

// The "BinaryOp " output page: the binary-option orders with their expiry
// strip. Read-only; the frame selects an order when its notice is clicked.
class MinTradeOrderPane : public RecordListPane<MinTradeOrderModel>
{
public:
    static constexpr const char* kConfigName = "BinaryOrderPane";

    // `sounds` null: the plug-in's player.
    MinTradeOrderPane(RecordStore* db, HostManager* mgr, wxWindow* parent, SoundPlayer* sounds = nullptr);

    // Makes the first order whose code equals the text (case-sensitive) the
    // selection; false, and nothing changed, when there is none.
    bool SelectOrder(const wxString& orderCode);

protected:
    // The status column draws its strip.
    wxDataViewRenderer* CreateRenderer(const ListColumn& column) override;
};
