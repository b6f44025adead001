#include "panes/PriceReportModel.h"

#include "db/NumberFormat.h"
#include "db/RecordStore.h"

#include <wx/intl.h>

namespace {

constexpr unsigned kSummaryRow = 0;
constexpr unsigned kFirstSellRow = 1;
constexpr unsigned kGapRow = 6;
constexpr unsigned kFirstBuyRow = 7;

double SumVolumes(const trade_priceLevel& levels, float (trade_priceLevel::*volume)(int) const)
{
    double sum = 0.0;
    for(int level = 0; level < trade_priceLevel::kDepth; ++level) {
        sum += static_cast<double>((levels.*volume)(level));
    }
    return sum;
}

wxString LevelLabel(unsigned row)
{
    if(row >= kFirstBuyRow) {
        return wxString::Format(_("Buy %u"), row - kFirstBuyRow + 1);
    }
    return wxString::Format(_("Sell %u"), kGapRow - row);
}

} // namespace

PriceReportModel::PriceReportModel(RecordStore* db, int symbolId)
    : wxDataViewVirtualListModel(kRows), m_pDb(db), m_symbolId(symbolId)
{
    if(m_pDb && m_pDb->m_trade_priceLevel_table) {
        m_pDb->m_trade_priceLevel_table->AddActionTrigger(this);
    }
}

PriceReportModel::~PriceReportModel()
{
    if(m_pDb && m_pDb->m_trade_priceLevel_table) {
        m_pDb->m_trade_priceLevel_table->RemoveActionTrigger(this);
    }
}

double PriceReportModel::OrderRatio(const trade_priceLevel& levels)
{
    const double buy = SumVolumes(levels, &trade_priceLevel::BuyVolume);
    const double sell = SumVolumes(levels, &trade_priceLevel::SellVolume);
    if(buy + sell <= 0.0001) {
        return 0.0;
    }
    return buy * 200.0 / (buy + sell) - 100.0;
}

double PriceReportModel::OrderDifference(const trade_priceLevel& levels)
{
    return SumVolumes(levels, &trade_priceLevel::BuyVolume) -
           SumVolumes(levels, &trade_priceLevel::SellVolume);
}

wxString PriceReportModel::CellText(const trade_priceLevel* levels, unsigned row, unsigned column)
{
    if(!levels || row >= kRows || column >= kColumns || row == kGapRow) {
        return wxString();
    }
    if(row == kSummaryRow) {
        switch(column) {
        case eLabel:
            return _("Buy Ratio");
        case ePrice:
            return FormatMoney(OrderRatio(*levels)) + "%";
        case eGap:
            return _("Sell Ratio");
        default:
            return FormatPrice(OrderDifference(*levels), 2, true);
        }
    }
    if(column == eLabel) {
        return LevelLabel(row);
    }
    if(column == eGap) {
        return wxString();
    }
    const bool buy = row >= kFirstBuyRow;
    const int level = static_cast<int>(buy ? row - kFirstBuyRow : row - kFirstSellRow);
    float value = 0.0f;
    if(column == ePrice) {
        value = buy ? levels->BuyPrice(level) : levels->SellPrice(level);
    } else {
        value = buy ? levels->BuyVolume(level) : levels->SellVolume(level);
    }
    return FormatMoney(static_cast<double>(value));
}

const trade_priceLevel* PriceReportModel::FindLevels() const
{
    if(!m_pDb || !m_pDb->m_trade_priceLevel_table) {
        return nullptr;
    }
    const auto& primary = m_pDb->m_trade_priceLevel_table->GetIndexByPrimary();
    const auto found = primary.find(m_symbolId);
    return found == primary.end() ? nullptr : &*found;
}

void PriceReportModel::GetValueByRow(wxVariant& value, unsigned int row, unsigned int column) const
{
    value = CellText(FindLevels(), row, column);
}

void PriceReportModel::RepaintAll()
{
    for(unsigned row = 0; row < kRows; ++row) {
        RowChanged(row);
    }
}

void PriceReportModel::afterAdd(const trade_priceLevel&, CTransaction*, void*)
{
    RepaintAll();
}

void PriceReportModel::afterUpdate(const trade_priceLevel&, CTransaction*, void*)
{
    RepaintAll();
}

bool PriceReportModel::beforeRemove(const trade_priceLevel&, CTransaction*, void*)
{
    RepaintAll();
    return true;
}
