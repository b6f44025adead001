#pragma once

// A list pane over the hold bills that exists only for the tests: every kind
// of cell a pane hands the control (row number, text, number, link list,
// record reference), an optional column, a context menu and a link handler.
#include "common/RecordListModel.h"
#include "common/RecordListPane.h"
#include "db/RecordStore.h"

#include <pelmora/pmDataViewHyperlinkRenderer.h>
#include <pelmora/pmDataViewTextRenderer.h>
#include <vector>
#include <wx/xrc/xmlres.h>

enum HoldBillColumn {
    eBillRow,
    eBillCode,
    eBillSymbol,
    eBillQuantity,
    eBillLinks,
    eBillSide,
    eBillAccount,
    eBillColumns
};

class HoldBillTestModel : public RecordListModel<trade_HoldBill>
{
public:
    explicit HoldBillTestModel(RecordStore* db)
        : RecordListModel(db, db->m_trade_HoldBill_table.get(), eBillColumns, "HoldBillTestModel")
    {}

protected:
    // A bill without a symbol stands for one whose linked records are missing.
    bool HasLinks(const trade_HoldBill& bill) const override { return bill.symbolId != 0; }

    void GetRecordValue(const trade_HoldBill& bill, unsigned int column, wxVariant& value) const override
    {
        switch(column) {
        case eBillCode:
            value = bill.orderCode;
            break;
        case eBillSymbol:
            value = static_cast<long>(bill.symbolId);
            break;
        case eBillQuantity:
            value = bill.quantity;
            break;
        case eBillLinks: {
            wxArrayString links;
            links.Add(bill.quantity > 0 ? "Close" : "Close-");
            links.Add("Modify");
            value = links;
            break;
        }
        case eBillSide:
            value = wxString(bill.side == 's' ? "Sell" : "Buy");
            break;
        case eBillAccount:
            value = static_cast<void*>(const_cast<trade_HoldBill*>(&bill));
            break;
        default:
            break;
        }
    }

    void GetRecordAttr(const trade_HoldBill& bill, unsigned int column,
                       wxDataViewItemAttr& attr) const override
    {
        if(column == eBillQuantity && bill.quantity > 10) {
            attr.SetColour(wxColour(255, 0, 0));
        }
    }
};

// Reads the bill behind a "void*" cell and shows its account key.
class BillAccountRenderer : public pmDataViewTextRenderer
{
public:
    bool SetValue(const wxVariant& value) override
    {
        pmDataViewTextRenderer::SetValue(value);
        const auto* bill = value.IsNull() ? nullptr : static_cast<const trade_HoldBill*>(value.GetVoidPtr());
        m_text = bill ? wxString::Format("A%d", bill->accountKey) : wxString();
        return true;
    }
    bool Render(wxRect cell, wxDC* dc, int state) override
    {
        RenderBackground(dc, cell);
        RenderText(m_text, 0, cell, dc, state);
        return true;
    }
    wxSize GetSize() const override { return GetTextExtent(m_text + " "); }

private:
    wxString m_text;
};

class HoldBillTestPane : public RecordListPane<HoldBillTestModel>
{
public:
    static constexpr const char* kConfigName = "HoldBillTestPane";

    HoldBillTestPane(RecordStore* db, HostManager* mgr, wxWindow* parent) : RecordListPane(db, mgr, parent)
    {
        CreateList(new HoldBillTestModel(db));
        // Out of order on purpose: the model column decides the place.
        AppendColumns(
            {{"Links", eBillLinks, wxDATAVIEW_CELL_INERT, 160, wxALIGN_LEFT},
             {"Code", eBillCode, wxDATAVIEW_CELL_INERT, 100, wxALIGN_LEFT},
             RowNumberColumn(45),
             {"Account", eBillAccount, wxDATAVIEW_CELL_INERT, 80, wxALIGN_LEFT},
             {"Quantity", eBillQuantity, wxDATAVIEW_CELL_INERT, wxCOL_WIDTH_AUTOSIZE, wxALIGN_RIGHT},
             {"Side", eBillSide, wxDATAVIEW_CELL_INERT, 60, wxALIGN_CENTER_HORIZONTAL},
             {"Symbol", eBillSymbol, wxDATAVIEW_CELL_INERT, 70, wxALIGN_RIGHT}});
        LoadImages({"common/16/new_order", "common/16/close_order"});
        PlaceList();
        IgnoreColumnSort();
        auto config = std::make_unique<pmDataViewCtrlConfig>(GetList());
        config->AddDynColumn("m_bShowSide", eBillSide, false);
        ReadColumnConfig(kConfigName, std::move(config));
        ApplyColumnConfig();
        InitContextMenu({{"close_order", "Close Order", 1}, kSeparator, {"new_order", "New Order", 0}});
        Bind(wxEVT_MENU, &HoldBillTestPane::OnCloseOrder, this, XRCID("close_order"));
    }

    std::vector<wxDataViewEvent> linkClicks;
    std::vector<wxString> closed; // codes the "close_order" command acted on

    using ListPane::GetImages;

protected:
    wxDataViewRenderer* CreateRenderer(const ListColumn& column) override
    {
        if(column.modelColumn == eBillLinks) {
            return CreateLinkRenderer(column);
        }
        if(column.modelColumn == eBillAccount) {
            return new BillAccountRenderer;
        }
        return nullptr;
    }
    void OnLinkClicked(wxDataViewEvent& event) override { linkClicks.push_back(event); }

private:
    void OnCloseOrder(wxCommandEvent& event)
    {
        wxUnusedVar(event);
        if(const trade_HoldBill* bill = GetSelectedRecord()) {
            closed.push_back(bill->orderCode);
        }
    }
};
