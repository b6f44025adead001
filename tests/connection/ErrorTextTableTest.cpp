#include "connection/ErrorTextTable.h"

#include "connection/ServerErrorTable.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>

namespace {

wxString Utf8(const char* text)
{
    return wxString::FromUTF8(text);
}

ErrorTextTable BuiltInTable()
{
    ErrorTextTable table;
    table.InitErrorTexts();
    return table;
}

} // namespace

TEST(ServerErrorTable, HoldsEveryCodeFrom0To213Except177)
{
    const ErrorTextTable table = BuiltInTable();
    int known = 0;
    for(int code = 0; code <= 213; ++code) {
        const bool hasText = table.GetErrorText(code) != "unknow error";
        EXPECT_EQ(hasText, code != 177) << "code " << code;
        known += hasText ? 1 : 0;
    }
    EXPECT_EQ(known, 213);
}

TEST(ServerErrorTable, TextsAreKeptByteForByte)
{
    // FNV-1a over "code:text\n" of every entry in table order: any changed,
    // dropped or reordered text changes it.
    std::uint64_t hash = 0xcbf29ce484222325ull;
    std::size_t bytes = 0;
    for(const ServerErrorEntry* entry = ServerErrorTable; entry->code != 0 || entry->text[0] != '\0';
        ++entry) {
        const std::string line = std::to_string(entry->code) + ":" + entry->text + "\n";
        for(unsigned char c : line) {
            hash = (hash ^ c) * 0x100000001b3ull;
        }
        bytes += line.size();
    }
    EXPECT_EQ(bytes, 6965u);
    EXPECT_EQ(hash, 0x2bbc8b162712391cull);
}

TEST(ServerErrorTable, SampleTextsReadAsTheServerWordsThem)
{
    const ErrorTextTable table = BuiltInTable();
    EXPECT_EQ(table.GetErrorText(0), Utf8(u8"成功"));
    EXPECT_EQ(table.GetErrorText(21), Utf8(u8"用户名或口令错误"));
    EXPECT_EQ(table.GetErrorText(41), Utf8(u8"该状态不能修修改"));
    EXPECT_EQ(table.GetErrorText(90), table.GetErrorText(91));
    EXPECT_EQ(table.GetErrorText(143), Utf8(u8"担保金风险小于10%，不能建仓！"));
    EXPECT_EQ(table.GetErrorText(176), Utf8(u8"只有会员能设置解冻计划！"));
    EXPECT_EQ(table.GetErrorText(178), Utf8(u8"该商品目前尚不能申购！"));
    EXPECT_EQ(table.GetErrorText(213), Utf8(u8"预订商品订单已出库，不能再更改物流信息！"));
    EXPECT_EQ(table.GetErrorText(0).length(), 2u) << "decoded as UTF-8, two characters";
}

TEST(ErrorTextTable, CodesWithoutTextReadUnknowError)
{
    const ErrorTextTable table = BuiltInTable();
    EXPECT_EQ(table.GetErrorText(177), "unknow error");
    EXPECT_EQ(table.GetErrorText(-1), "unknow error");
    EXPECT_EQ(table.GetErrorText(214), "unknow error");
    EXPECT_EQ(ErrorTextTable().GetErrorText(0), "unknow error");
}

TEST(ErrorTextTable, BuiltInCodesAreNotConfigured)
{
    const ErrorTextTable table = BuiltInTable();
    EXPECT_FALSE(table.HasErrorText(0));
    EXPECT_FALSE(table.HasErrorText(31));
    EXPECT_FALSE(table.HasErrorText(177));
}

TEST(ErrorTextTable, ConfiguredTextReplacesTheBuiltInOne)
{
    ErrorTextTable table = BuiltInTable();
    table.SetConfiguredText(31, "Not enough money");
    EXPECT_TRUE(table.HasErrorText(31));
    EXPECT_EQ(table.GetErrorText(31), "Not enough money");
    EXPECT_FALSE(table.HasErrorText(30));
    EXPECT_EQ(table.GetErrorText(30), Utf8(u8"报价与最新价之差超出允许范围"));
}

TEST(ErrorTextTable, ConfiguredCodesOutsideTheTableAndTheMissingOneAreAdded)
{
    ErrorTextTable table = BuiltInTable();
    table.SetConfiguredText(500, "Gateway closed");
    table.SetConfiguredText(177, "Seventy-seven");
    table.SetConfiguredText(-1, "Entry without id");
    EXPECT_TRUE(table.HasErrorText(500));
    EXPECT_EQ(table.GetErrorText(500), "Gateway closed");
    EXPECT_TRUE(table.HasErrorText(177));
    EXPECT_EQ(table.GetErrorText(177), "Seventy-seven");
    EXPECT_TRUE(table.HasErrorText(-1));
    EXPECT_EQ(table.GetErrorText(-1), "Entry without id");
}

TEST(ErrorTextTable, LaterConfiguredEntryOfTheSameCodeWins)
{
    ErrorTextTable table = BuiltInTable();
    table.SetConfiguredText(5, "first");
    table.SetConfiguredText(5, "second");
    EXPECT_EQ(table.GetErrorText(5), "second");
}

TEST(GetErrorText, AsksThePluginTableAndCopesWithoutOne)
{
    ErrorTextTable* const saved = g_errorTable;
    g_errorTable = nullptr;
    EXPECT_EQ(GetErrorText(0), "unknow error");

    ErrorTextTable table = BuiltInTable();
    table.SetConfiguredText(7, "configured");
    g_errorTable = &table;
    EXPECT_EQ(GetErrorText(0), Utf8(u8"成功"));
    EXPECT_EQ(GetErrorText(7), "configured");
    EXPECT_EQ(GetErrorText(177), "unknow error");
    g_errorTable = saved;
}
