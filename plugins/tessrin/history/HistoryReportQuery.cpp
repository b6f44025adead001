#include "history/HistoryReportQuery.h"

#include "db/DateTimeText.h"
#include "db/RecordStore.h"
#include "db/user_Account.h"

namespace {
// `value` is a text or a JSON value.
template <class Value> JSONElement Condition(const char* op, const Value& value, const char* key)
{
    JSONElement condition = JSONElement::createObject();
    condition.addProperty("operator", op);
    condition.addProperty("value", value);
    condition.addProperty("key", key);
    return condition;
}
} // namespace

const user_Account* HistoryReportQuery::FindAccount(RecordStore* store, const wxString& market)
{
    if(!store || !store->m_user_Account_table) {
        return nullptr;
    }
    const user_Account* found = nullptr;
    using Table = CObjectFactory<user_Account>;
    const Table& table = *store->m_user_Account_table;
    const auto& sequence =
        table.GetContainer().template get<boost::mpl::size<Table::Container::index_type_list>::value - 1>();
    for(const user_Account& account : sequence) {
        if(account.marketName == market) {
            found = &account;
        }
    }
    return found;
}

bool HistoryReportQuery::Offers(const HistoryPageKind& kind, const user_Account& account)
{
    return kind.marketType == 0 || account.marketType == kind.marketType;
}

bool HistoryReportQuery::Build(RecordStore* store, const HistoryPageKind& kind, const wxString& market,
                               const std::pair<wxDateTime, wxDateTime>& range, wxString& path,
                               JSONElement& root)
{
    const user_Account* account = FindAccount(store, market);
    if(!account) {
        return false;
    }
    path = wxString("/tolvekquery/report_client/") + kind.report + "?bizData=";

    JSONElement parames = JSONElement::createArray("parames");
    parames.arrayAppend(Condition("and", wxString("1"), "isHistory"));
    parames.arrayAppend(Condition(
        "and", wxString::Format("(\"%s\",\"%s\")", FormatDateTime(range.first), FormatDateTime(range.second)),
        "tradingday"));
    if(kind.amTypeCondition) {
        JSONElement types = JSONElement::createArray();
        types.arrayAppend(wxString("1"));
        types.arrayAppend(wxString("2"));
        parames.arrayAppend(Condition("in", types, "amType"));
    }

    JSONElement sort = JSONElement::createObject("sort");
    sort.addProperty("order", "DESC");
    JSONElement children = JSONElement::createArray();
    children.arrayAppend(wxString(kind.sortField));
    sort.addProperty("children", children);

    root.addProperty("accId", wxString::Format("%d", account->accountKey));
    root.addProperty("userId", wxString::Format("%d", account->userId));
    root.addProperty("parames", parames);
    root.addProperty("sort", sort);
    return true;
}
