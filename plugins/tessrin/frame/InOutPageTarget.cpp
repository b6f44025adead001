#include "frame/InOutPageTarget.h"

#include "db/RecordStore.h"

InOutPageTarget ChooseInOutPageTarget(RecordStore* db, const am_AmountInOut& row, bool keyShowInBrowser,
                                      bool settingShowInBrowser)
{
    if(!db || row.bankUrl.empty() || !symbol_Info::GetAccount(row, db) ||
       !row.cachedAccount->GetLoginInfo(db)) {
        return InOutPageTarget::eNone;
    }
    return keyShowInBrowser || settingShowInBrowser ? InOutPageTarget::eBrowser
                                                    : InOutPageTarget::eCentrePage;
}
