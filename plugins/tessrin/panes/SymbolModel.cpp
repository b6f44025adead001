#include "panes/SymbolModel.h"

#include "common/Colours.h"
#include "db/DateTimeText.h"
#include "db/NumberFormat.h"
#include "db/RecordHash.h"
#include "db/RecordStore.h"
#include "db/TradeArithmetic.h"

#include <algorithm>
#include <pelmora/DrawingUtils.h>
#include <unordered_map>
#include <wx/imaglist.h>

namespace {
const wchar_t kDashes[] = L"\u2014\u2014\u2014";
const wxString kNameIndent = "   ";
} // namespace

SymbolModel::SymbolModel(RecordStore* db, wxImageList* images, RefreshClock* clock)
    : wxDataViewVirtualListModel(0), m_db(db), m_images(images), m_dirty(*this, clock)
{
    if(m_db && m_db->m_symbol_price_table) {
        m_db->m_symbol_price_table->AddActionTrigger(this);
    }
    m_rows.AddActionTrigger(this);
}

SymbolModel::~SymbolModel()
{
    if(m_db && m_db->m_symbol_price_table) {
        m_db->m_symbol_price_table->RemoveActionTrigger(this);
    }
    m_rows.RemoveActionTrigger(this);
}

const symbol_Info* SymbolModel::GetSymbolAt(unsigned int row) const
{
    const SymbolModelRow* node = m_rows.GetAt(row);
    return node ? node->m_pSymbolInfo : nullptr;
}

int SymbolModel::GetSymbolRow(const symbol_Info* symbol) const
{
    return m_rows.GetPosition(m_rows.FindBySymbol(symbol));
}

wxArrayString SymbolModel::GetSymbolCodes() const
{
    wxArrayString codes;
    for(const SymbolModelRow& row : m_rows.GetIndex<BySequence>()) {
        codes.Add(row.m_pSymbolInfo ? row.m_pSymbolInfo->symbolCode : wxString());
    }
    return codes;
}

const symbol_price* SymbolModel::QuoteOf(const symbol_Info& symbol) const
{
    if(!symbol.GetSymbolProperty(m_db)) {
        return nullptr;
    }
    const symbol_Property& property = *symbol.cachedSymbolProperty;
    if(!property.GetSymbolPrice(m_db)) {
        return nullptr;
    }
    return property.cachedSymbolPrice.Get();
}

bool SymbolModel::ShowsDashes(const symbol_price& quote)
{
    // A NaN last price compares unequal to 0 and shows as a number.
    return quote.lastPrice == 0.0;
}

double SymbolModel::SpreadPrice(const symbol_Info& symbol, int points, int digits)
{
    // Market '2' trades at the last price itself: its bid and ask are that price.
    return symbol.marketType == '2' ? 0.0 : PointsToPrice(points, digits);
}

void SymbolModel::GetValueByRow(wxVariant& value, unsigned int row, unsigned int column) const
{
    const symbol_Info* symbol = GetSymbolAt(row);
    if(!symbol || column >= eColumnCount) {
        return;
    }
    const symbol_price* quote = QuoteOf(*symbol);
    if(!quote) {
        return;
    }
    if(!m_quotesLive && column != eSymbol) {
        value = wxString();
        return;
    }
    const int digits = quote->digits;
    switch(column) {
    case eSymbol: {
        wxString name;
        if(quote->GetSymbolProperty(m_db)) {
            name = quote->cachedSymbolProperty->symbolName;
        } else if(value.GetType() == "string") {
            name = value.GetString();
        }
        const SymbolModelRow* node = m_rows.GetAt(row);
        const int image = node->m_mark == eUp ? 0 : node->m_mark == eDown ? 1 : 2;
        wxIcon icon;
        if(m_images && image < m_images->GetImageCount()) {
            icon = m_images->GetIcon(image);
        }
        value << wxDataViewIconText(kNameIndent + name, icon);
        break;
    }
    case eBid:
        value = ShowsDashes(*quote)
                    ? wxString(kDashes)
                    : FormatPrice(quote->lastPrice - SpreadPrice(*symbol, symbol->bidSpreadPoints, digits),
                                  digits);
        break;
    case eAsk:
        value = ShowsDashes(*quote)
                    ? wxString(kDashes)
                    : FormatPrice(quote->lastPrice + SpreadPrice(*symbol, symbol->askSpreadPoints, digits),
                                  digits);
        break;
    case eSettlementPrice:
        value = FormatPrice(symbol->settlementPrice, digits);
        break;
    case eHigh:
        value = FormatPrice(quote->highPrice, digits);
        break;
    case eLow:
        value = FormatPrice(quote->lowPrice, digits);
        break;
    case eLast:
        value = FormatPrice(quote->lastPrice, digits);
        break;
    case eTime:
        value = FormatTime(quote->quoteTime);
        break;
    default:
        break;
    }
}

bool SymbolModel::GetAttrByRow(unsigned int row, unsigned int column, wxDataViewItemAttr& attr) const
{
    const SymbolModelRow* node = m_rows.GetAt(row);
    if(!node || !m_quotesLive) {
        return false;
    }
    const symbol_price* quote = node->m_pSymbolInfo ? QuoteOf(*node->m_pSymbolInfo) : nullptr;
    if(quote && !quote->live) {
        // Not quoted since the market-data link came up: the whole row is
        // greyed and slanted, never in the colours of a moving price.
        attr.SetColour(Colours::kStaleQuoteText);
        attr.SetItalic(true);
        return false;
    }
    if(column != eBid && column != eAsk && column != eLast) {
        return false;
    }
    // The board follows the theme; its price colours are those readable on it.
    const bool dark = DrawingUtils::IsDark(DrawingUtils::GetOutputPaneBgColour());
    if(node->m_mark == eUp || node->m_mark == eDown) {
        attr.SetColour(Colours::BoardPriceText(node->m_mark == eUp, dark));
    }
    if(IsHighlighted(node->m_pSymbolInfo)) {
        attr.SetBackgroundColour(Colours::HighlightedSymbolBackground(dark));
    }
    return false;
}

void SymbolModel::SetQuotesLive(bool live)
{
    if(live == m_quotesLive) {
        return;
    }
    m_quotesLive = live;
    for(unsigned int row = 0; row < m_rows.GetCount(); ++row) {
        RowChanged(row);
    }
}

void SymbolModel::afterAdd(const symbol_price& stored, CTransaction* transaction, void* reserved)
{
    beforeUpdate(stored, stored, transaction, reserved);
}

bool SymbolModel::beforeUpdate(const symbol_price& current, const symbol_price& next, CTransaction*, void*)
{
    const auto range = m_rows.GetIndex<BySymbolId>().equal_range(next.symbolId);
    if(range.first == range.second) {
        return true;
    }
    const wxDateTime now = Now();
    for(auto it = range.first; it != range.second; ++it) {
        const SymbolModelRow& row = *it;
        if(next.lastPrice > current.lastPrice) {
            row.m_mark = eUp;
        } else if(current.lastPrice > next.lastPrice) {
            row.m_mark = eDown;
        }
        // One entry per symbol, kept in stamp order: the newest at the back.
        auto& bySymbol = m_highlights.get<0>();
        const auto old = bySymbol.find(row.m_pSymbolInfo);
        if(old != bySymbol.end()) {
            bySymbol.erase(old);
        }
        m_highlights.get<1>().push_back(SymbolHighlight{row.m_pSymbolInfo, now});
        const int position = m_rows.GetPosition(m_rows.GetContainer().project<0>(it));
        if(position >= 0) {
            m_dirty.MarkRow(static_cast<unsigned int>(position));
        }
    }
    if(m_flashListener) {
        m_flashListener();
    }
    return true;
}

void SymbolModel::afterAdd(const SymbolModelRow& stored, CTransaction*, void*)
{
    m_dirty.Flush(); // marks name rows by their number
    const int row = GetSymbolRow(stored.m_pSymbolInfo);
    wxASSERT_MSG_AT(row != (-1), "", __FILE__, __LINE__, "SymbolModel::afterAdd");
    if(row == -1) {
        return;
    }
    if(static_cast<unsigned int>(row) + 1 == m_rows.GetCount()) {
        RowAppended();
    } else {
        RowInserted(static_cast<unsigned int>(row));
    }
}

void SymbolModel::afterUpdate(const SymbolModelRow& stored, CTransaction*, void*)
{
    const int row = GetSymbolRow(stored.m_pSymbolInfo);
    if(row != -1) {
        m_dirty.MarkRow(static_cast<unsigned int>(row));
    }
}

bool SymbolModel::beforeRemove(const SymbolModelRow& stored, CTransaction*, void*)
{
    m_dirty.Flush();
    const int row = GetSymbolRow(stored.m_pSymbolInfo);
    if(row != -1) {
        RowDeleted(static_cast<unsigned int>(row));
    }
    return true;
}

bool SymbolModel::IsHighlighted(const symbol_Info* symbol) const
{
    return m_highlights.get<0>().count(symbol) != 0;
}

bool SymbolModel::ExpireHighlights()
{
    const wxDateTime now = Now();
    auto& byAge = m_highlights.get<1>();
    while(!byAge.empty()) {
        const SymbolHighlight& oldest = byAge.front();
        const wxTimeSpan age = now - oldest.stamp;
        if(age.IsNegative() || age.GetMilliseconds() < kHighlightMs) {
            break;
        }
        // The whole row: the toolkit repaints a cell's text area only, and
        // the flash's background reaches past it.
        const int row = GetSymbolRow(oldest.symbol);
        if(row != -1) {
            m_dirty.MarkRow(static_cast<unsigned int>(row));
        }
        byAge.pop_front();
    }
    return byAge.empty();
}

int SymbolModel::GetMsToNextExpiry() const
{
    const auto& byAge = m_highlights.get<1>();
    if(byAge.empty()) {
        return kHighlightMs;
    }
    const wxTimeSpan age = Now() - byAge.front().stamp;
    if(age.IsNegative()) {
        return kHighlightMs;
    }
    return static_cast<int>(std::max<wxLongLong>(0, kHighlightMs - age.GetMilliseconds()).GetValue());
}

void SymbolModel::SortByDefaultOrder()
{
    m_dirty.Flush(); // marks name rows by their number
    m_rows.SortRows([](const SymbolModelRow& a, const SymbolModelRow& b) {
        return a.m_pSymbolInfo->displayOrder < b.m_pSymbolInfo->displayOrder;
    });
}

void SymbolModel::SortByColumn(unsigned int column, bool ascending)
{
    m_dirty.Flush();     // marks name rows by their number
    wxUnusedVar(column); // every column orders by name
    for(const SymbolModelRow& row : m_rows.GetIndex<BySequence>()) {
        row.m_pSymbolInfo->GetSymbolProperty(m_db);
    }
    auto nameOf = [](const SymbolModelRow& row) -> wxString {
        const auto& property = row.m_pSymbolInfo->cachedSymbolProperty;
        return property ? property->symbolName : wxString();
    };
    auto less = [nameOf](const SymbolModelRow& a, const SymbolModelRow& b) {
        const int order = nameOf(a).Cmp(nameOf(b));
        return order != 0 ? order < 0 : a.m_pSymbolInfo < b.m_pSymbolInfo;
    };
    // Descending swaps the operands: the negated test would not be a strict
    // order, which a sort may not be given.
    if(ascending) {
        m_rows.SortRows(less);
    } else {
        m_rows.SortRows([less](const SymbolModelRow& a, const SymbolModelRow& b) { return less(b, a); });
    }
}

void SymbolModel::SortByCustomOrder(const wxArrayString& codes)
{
    if(codes.empty()) {
        return;
    }
    m_dirty.Flush(); // marks name rows by their number
    // Keys looked up once: a code's first place in the list, -1 when absent.
    std::unordered_map<wxString, int, RecordTextHash> places;
    for(size_t i = codes.size(); i-- > 0;) {
        places[codes[i]] = static_cast<int>(i);
    }
    std::unordered_map<const symbol_Info*, int> keys;
    for(const SymbolModelRow& row : m_rows.GetIndex<BySequence>()) {
        const auto place = places.find(row.m_pSymbolInfo->symbolCode);
        keys[row.m_pSymbolInfo] = place == places.end() ? -1 : place->second;
    }
    m_rows.SortRows([&keys](const SymbolModelRow& a, const SymbolModelRow& b) {
        const int ka = keys.at(a.m_pSymbolInfo);
        const int kb = keys.at(b.m_pSymbolInfo);
        return ka != kb ? ka < kb : a.m_pSymbolInfo < b.m_pSymbolInfo;
    });
}
