// The rows of the notice pane: texts of each column, the bold unread title,
// rows past the list.
#include "history/NoticeMessageModel.h"

#include "FileEnvironment.h"
#include "NoticeFixtures.h"

#include <gtest/gtest.h>

namespace {

NoticeEnvironment* const g_environment = AddFileEnvironment<NoticeEnvironment>(__FILE__);

std::string Cell(const NoticeMessageModel& model, unsigned row, unsigned column)
{
    wxVariant value;
    model.GetValueByRow(value, row, column);
    return value.GetString().utf8_string();
}

} // namespace

TEST(NoticeMessageModel, RowsShowNumberTimeTitleAndReadFlagOfTheBulletinsNewestFirst)
{
    auto manager = ManagerWith(List({Item("旧公告", "2026-12-01 09:00:00", "a", true),
                                     Item("新公告", "2026-12-07 08:30:00", "b", false)}));
    NoticeMessageModel model(*manager);
    model.Reset(static_cast<unsigned>(manager->GetCount()));
    ASSERT_EQ(model.GetCount(), 2u);

    const struct
    {
        unsigned row;
        const char* texts[NoticeMessageModel::eColCount];
        bool boldTitle;
    } rows[] = {
        {0, {"1", "2026-12-07 08:30:00", "新公告", "noRead"}, true},
        {1, {"2", "2026-12-01 09:00:00", "旧公告", "hasRead"}, false},
        {2, {"", "", "", ""}, false}, // past the list
    };
    for(const auto& r : rows) {
        for(unsigned column = 0; column < NoticeMessageModel::eColCount; ++column) {
            EXPECT_EQ(Cell(model, r.row, column), r.texts[column]) << "row " << r.row << " column " << column;
            wxDataViewItemAttr attr;
            const bool hasAttr = model.GetAttrByRow(r.row, column, attr);
            const bool bold = column == NoticeMessageModel::eColTitle && r.boldTitle;
            EXPECT_EQ(hasAttr, bold) << "row " << r.row << " column " << column;
            EXPECT_EQ(attr.GetBold(), bold);
        }
    }

    manager->GetNotice(0)->is_read = true;
    wxDataViewItemAttr attr;
    EXPECT_FALSE(model.GetAttrByRow(0, NoticeMessageModel::eColTitle, attr)) << "read: no longer bold";
    EXPECT_EQ(Cell(model, 0, NoticeMessageModel::eColReadFlag), "hasRead");
    EXPECT_FALSE(model.SetValueByRow(wxVariant("x"), 0, NoticeMessageModel::eColTitle));
}
