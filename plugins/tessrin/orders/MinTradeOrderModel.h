#pragma once

#include "common/RecordListModel.h"
#include "db/RecordStore.h"

class SoundPlayer;

// The binary-option orders of the trading day, one row each in arrival
// order: running ones count down to expiry, settled ones show gain, loss
// or equal. Every update of a settled order rings the remind sound.
class MinTradeOrderModel : public RecordListModel<trade_BinaryOrder>
{
public:
    enum Column {
        eRowNumber,
        eOrderCode,
        eSymbol,
        eMarketName,
        ePeriodName,
        eOpenTime,
        eExpireTime,
        eSide,
        eProfitRate,
        eOpenPrice,
        eExpirePrice,
        eOrderAmount,
        eProfit,
        eCharge,
        eOrderStatus, // drawn by ExpireTimeRenderer
        eColumnCount
    };
    static constexpr const char* kRemindSound = "rc//Remind.wav";

    // `sounds` null: the plug-in's player at the time a sound is due.
    explicit MinTradeOrderModel(RecordStore* db, SoundPlayer* sounds = nullptr);

    // The texts of an order's cells, for every list of binary orders; the
    // order's symbol and property must be linked.
    static void CellValue(const trade_BinaryOrder& order, unsigned int column, wxVariant& value);

    void afterUpdate(const trade_BinaryOrder& stored, CTransaction* transaction, void* reserved) override;

protected:
    // The order's symbol, the symbol's property and its account.
    bool HasLinks(const trade_BinaryOrder& order) const override;
    void GetRecordValue(const trade_BinaryOrder& order, unsigned int column, wxVariant& value) const override;
    void GetRecordAttr(const trade_BinaryOrder& order, unsigned int column,
                       wxDataViewItemAttr& attr) const override;

private:
    SoundPlayer* Sounds() const;

    SoundPlayer* m_sounds; // not owned
};
