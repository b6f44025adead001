#include "orders/HangOrderPane.h"

#include "db/RecordStore.h"
#include "orders/HandOrderDlg.h"
#include "orders/HangOrderEntry.h"

#include <iterator>
#include <pelmora/pmDataViewTextRenderer.h>
#include <wx/intl.h>
#include <wx/xrc/xmlres.h>

namespace {

std::vector<ListColumn> Columns()
{
    const int centre = wxALIGN_CENTER_HORIZONTAL;
    const int inert = wxDATAVIEW_CELL_INERT;
    return {
        {wxEmptyString, HangOrderModel::eRowNumber, inert, 30, centre},
        {_("orderCode"), HangOrderModel::eOrderCode, inert, 130, centre},
        {_("symbolName"), HangOrderModel::eSymbolName, inert, 100, centre},
        {_("unitName"), HangOrderModel::eUnitName, inert, 80, centre},
        {_("quantityRem"), HangOrderModel::eQuantityRemaining, inert, 80, centre},
        {_("quantityComplete"), HangOrderModel::eQuantityComplete, inert, 120, centre},
        {_("bsCode"), HangOrderModel::eBsCode, inert, 100, centre},
        {_("priceOrder"), HangOrderModel::ePriceOrder, inert, 80, centre},
        {_("storeName"), HangOrderModel::eStoreName, inert, 80, centre},
        {_("quantityOrder"), HangOrderModel::eQuantityOrder, inert, 80, centre},
        {_("opBuy"), HangOrderModel::eOpBuy, inert, 80, centre},
        {_("opPrice"), HangOrderModel::eOpPrice, inert, 80, centre},
    };
}

} // namespace

HangOrderPane::HangOrderPane(wxWindow* parent, RecordStore* db, const symbol_Info& symbol, HostManager* mgr)
    : RecordListPane(db, mgr, parent), m_caption(symbol.symbolCode)
{
    if(symbol.GetSymbolProperty(db)) {
        m_symbolName = symbol.cachedSymbolProperty->symbolName;
    }
    CreateList(new HangOrderModel(db));
    AppendColumns(Columns());
    for(int hidden : {HangOrderModel::eOpBuy, HangOrderModel::eOpPrice}) {
        if(wxDataViewColumn* column = GetList()->GetColumnByModelColumn(hidden)) {
            column->SetHidden(true);
        }
    }
    PlaceList();
    IgnoreColumnSort();
    ReadColumnConfig(kConfigName);
    Fill();
    ApplyColumnConfig();
    InitContextMenu({{"zaipai", _("ZaiPai"), -1}, {"huanjia", _("HuanJia"), -1}, kSeparator});
    Bind(wxEVT_MENU, &HangOrderPane::OnZaiPai, this, XRCID("zaipai"));
    Bind(wxEVT_MENU, &HangOrderPane::OnHuanJia, this, XRCID("huanjia"));

    if(db && db->m_user_LoginInfo_table) {
        db->m_user_LoginInfo_table->AddActionTrigger(static_cast<CActionTrigger<user_LoginInfo>*>(this));
    }
    GetHangOrderFactory().AddActionTrigger(static_cast<CActionTrigger<HangOrder>*>(this));
    GetList()->Bind(wxEVT_DATAVIEW_ITEM_ACTIVATED, &HangOrderPane::OnItemActivated, this);
}

HangOrderPane::~HangOrderPane()
{
    if(auto* logins = CActionTrigger<user_LoginInfo>::GetObservedTable()) {
        logins->RemoveActionTrigger(static_cast<CActionTrigger<user_LoginInfo>*>(this));
    }
    GetHangOrderFactory().RemoveActionTrigger(static_cast<CActionTrigger<HangOrder>*>(this));
    GetList()->Unbind(wxEVT_DATAVIEW_ITEM_ACTIVATED, &HangOrderPane::OnItemActivated, this);
    Unbind(wxEVT_MENU, &HangOrderPane::OnZaiPai, this, XRCID("zaipai"));
    Unbind(wxEVT_MENU, &HangOrderPane::OnHuanJia, this, XRCID("huanjia"));
    // The layout first, then the whole store; the base's second save of the
    // layout writes the same.
    SaveColumnConfig();
    SaveHangOrders();
}

wxDataViewRenderer* HangOrderPane::CreateRenderer(const ListColumn& column)
{
    if(column.modelColumn == HangOrderModel::eQuantityOrder) {
        return new pmDataViewTextRenderer("string", static_cast<wxDataViewCellMode>(column.mode));
    }
    return nullptr;
}

void HangOrderPane::Fill()
{
    HangOrderFactory& rows = GetModel()->GetRows();
    const auto range = GetHangOrderFactory().GetIndex<BySymbolName>().equal_range(m_symbolName);
    for(auto it = range.first; it != range.second; ++it) {
        const HangOrder copy = *it;
        rows.Insert(copy, true);
    }
}

void HangOrderPane::Empty()
{
    HangOrderFactory& rows = GetModel()->GetRows();
    const auto& sequence = rows.GetIndex<BySequence>();
    // The last row first: no row below it moves.
    while(!sequence.empty()) {
        rows.Remove(std::prev(sequence.end()), true);
    }
}

void HangOrderPane::Reload()
{
    Empty();
    Fill();
}

void HangOrderPane::Mirror(const HangOrder& stored)
{
    if(stored.symbolName == m_symbolName) {
        const HangOrder copy = stored;
        GetModel()->GetRows().Upsert(copy);
    }
}

void HangOrderPane::afterAdd(const user_LoginInfo&, CTransaction*, void*)
{
    Reload();
}

void HangOrderPane::afterUpdate(const user_LoginInfo&, CTransaction*, void*)
{
    Reload();
}

bool HangOrderPane::beforeRemove(const user_LoginInfo&, CTransaction*, void*)
{
    Empty();
    return true;
}

void HangOrderPane::afterAdd(const HangOrder& stored, CTransaction*, void*)
{
    Mirror(stored);
}

void HangOrderPane::afterUpdate(const HangOrder& stored, CTransaction*, void*)
{
    Mirror(stored);
}

bool HangOrderPane::beforeRemove(const HangOrder& stored, CTransaction*, void*)
{
    if(stored.symbolName == m_symbolName) {
        HangOrderFactory& rows = GetModel()->GetRows();
        const auto copy = rows.Find(stored.orderCode);
        if(copy != rows.GetIndexByPrimary().end()) {
            rows.Remove(copy, true);
        }
    }
    return true;
}

void HangOrderPane::OnZaiPai(wxCommandEvent&)
{
    ShowFocusedOrder(HangOrderEntry::eZaiPai);
}

void HangOrderPane::OnHuanJia(wxCommandEvent&)
{
    ShowFocusedOrder(HangOrderEntry::eHuanJia);
}

void HangOrderPane::OnItemActivated(wxDataViewEvent&)
{
    ShowFocusedOrder(HangOrderEntry::eZaiPai);
}

void HangOrderPane::ShowFocusedOrder(int mode)
{
    const wxDataViewItem item = GetList()->GetCurrentItem();
    if(!item.IsOk()) {
        return;
    }
    const HangOrder* order = GetModel()->GetRecordAt(GetModel()->GetRow(item));
    if(!order) {
        return;
    }
    HandOrderDlg dialog(this, GetDatabase());
    // A copy: the list may change while the dialog is open.
    dialog.SetHangOrder(*order);
    dialog.SetMode(mode);
    dialog.ShowModal();
}
