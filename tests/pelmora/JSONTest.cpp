#include "ScratchFolder.h"
#include "pelmora/JSONElement.h"
#include "pelmora/JSONRoot.h"

#include <gtest/gtest.h>

namespace {
std::string Text(const wxString& s)
{
    return s.utf8_string();
}
} // namespace

TEST(JSONRoot, RoundTripKeepsMemberOrderNotAlphabetical)
{
    const wxString text = R"({"zeta":1,"alpha":"a","mid":[1,2],"beta":{"y":1,"x":2}})";
    JSONRoot root(text);
    ASSERT_TRUE(root.isOk());
    EXPECT_EQ(Text(root.toElement().format(false)), Text(text));

    JSONRoot again(root.toElement().format(true));
    ASSERT_TRUE(again.isOk());
    EXPECT_EQ(Text(again.toElement().format(false)), Text(text));
}

TEST(JSONRoot, BuiltMembersStayInInsertionOrderAndReplaceInPlace)
{
    JSONRoot root(JSONRoot::Type::Object);
    JSONElement e = root.toElement();
    e.addProperty("b", 1).addProperty("a", 2).addProperty("c", 3);
    e.addProperty("a", "replaced");
    EXPECT_EQ(Text(e.format(false)), R"({"b":1,"a":"replaced","c":3})");
    e.removeProperty("b");
    EXPECT_EQ(Text(e.format(false)), R"({"a":"replaced","c":3})");
}

TEST(JSONRoot, ParseFailureIsDetectableAndReadsDefaults)
{
    for(const char* bad : {"", "{", "{\"a\":}", "[1,2", "nonsense", "{\"a\":1} trailing"}) {
        JSONRoot root{wxString(bad)};
        EXPECT_FALSE(root.isOk()) << bad;
        EXPECT_FALSE(root.errorText().empty()) << bad;
        EXPECT_FALSE(root.toElement().isOk()) << bad;
        EXPECT_EQ(root.toElement().namedObject("a").toInt(7), 7) << bad;
        EXPECT_EQ(root.toElement().arraySize(), 0) << bad;
    }
}

TEST(JSONRoot, MissingFileIsNotOk)
{
    ScratchFolder dir;
    JSONRoot root(wxFileName(dir.File("absent.json")));
    EXPECT_FALSE(root.isOk());
}

TEST(JSONRoot, SaveAndLoadFileRoundTripsUnicodeText)
{
    ScratchFolder dir;
    JSONRoot root(JSONRoot::Type::Object);
    root.toElement().addProperty("name", wxString::FromUTF8("模拟服务器")).addProperty("n", 5);
    ASSERT_TRUE(root.save(wxFileName(dir.File("sub/f.json"))));

    JSONRoot loaded(wxFileName(dir.File("sub/f.json")));
    ASSERT_TRUE(loaded.isOk());
    EXPECT_EQ(loaded.toElement().namedObject("name").toString(), wxString::FromUTF8("模拟服务器"));
    EXPECT_EQ(loaded.toElement().namedObject("n").toInt(), 5);
}

TEST(JSONElement, NumbersAndBoolsReadAsTextGiveTheirDecimalText)
{
    JSONRoot root(wxString(R"({"i":42,"neg":-7,"f":4520.5,"big":9007199254740993,"t":true,"s":"x","o":{}})"));
    const JSONElement e = root.toElement();
    EXPECT_EQ(Text(e.namedObject("i").toString()), "42");
    EXPECT_EQ(Text(e.namedObject("neg").toString()), "-7");
    EXPECT_EQ(Text(e.namedObject("f").toString()), "4520.5");
    EXPECT_EQ(Text(e.namedObject("big").toString()), "9007199254740993");
    EXPECT_EQ(Text(e.namedObject("t").toString()), "true");
    EXPECT_EQ(Text(e.namedObject("s").toString()), "x");
    // An object or a missing member has no text: the default.
    EXPECT_EQ(Text(e.namedObject("o").toString("dflt")), "dflt");
    EXPECT_EQ(Text(e.namedObject("missing").toString("dflt")), "dflt");
}

TEST(JSONElement, TypedReadsTakeDefaultsForOtherKinds)
{
    JSONRoot root(wxString(R"({"n":12,"s":"34","bad":"3x","f":2.75,"b":false,"arr":[1]})"));
    const JSONElement e = root.toElement();
    EXPECT_EQ(e.namedObject("n").toInt(), 12);
    EXPECT_EQ(e.namedObject("s").toInt(), 34); // a text holding a whole number
    EXPECT_EQ(e.namedObject("bad").toInt(-1), -1);
    EXPECT_EQ(e.namedObject("arr").toInt(-1), -1);
    EXPECT_EQ(e.namedObject("missing").toInt(-5), -5);
    EXPECT_DOUBLE_EQ(e.namedObject("f").toDouble(), 2.75);
    EXPECT_DOUBLE_EQ(e.namedObject("bad").toDouble(1.5), 1.5);
    EXPECT_FALSE(e.namedObject("b").toBool(true));
    EXPECT_TRUE(e.namedObject("missing").toBool(true));
    EXPECT_EQ(e.namedObject("n").toInt64(), 12);
}

TEST(JSONElement, IntReadOutOfRangeGivesDefault)
{
    JSONRoot root(wxString(R"({"huge":4294967296000})"));
    EXPECT_EQ(root.toElement().namedObject("huge").toInt(-1), -1);
    EXPECT_EQ(root.toElement().namedObject("huge").toInt64(), 4294967296000LL);
}

TEST(JSONElement, ArraysAppendReadAndConvertToTextLists)
{
    JSONElement arr = JSONElement::createArray("list");
    arr.arrayAppend("a").arrayAppend(wxString("b")).arrayAppend(3).arrayAppend(true);
    ASSERT_EQ(arr.arraySize(), 4);
    EXPECT_EQ(Text(arr.arrayItem(1).toString()), "b");
    EXPECT_FALSE(arr.arrayItem(4).isOk());
    EXPECT_FALSE(arr.arrayItem(-1).isOk());
    const wxArrayString texts = arr.toArrayString();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(Text(texts[2]), "3");
    EXPECT_EQ(Text(texts[3]), "true");
    // An object is no array.
    EXPECT_EQ(JSONElement::createObject().arraySize(), 0);
}

TEST(JSONElement, AppendedElementsAreCopiedUnderTheirNames)
{
    JSONElement order = JSONElement::createObject("StoreOrder");
    JSONElement list = JSONElement::createArray("1001");
    JSONElement row = JSONElement::createObject();
    row.addProperty("storeCode", "S1").addProperty("inoutStatus", 2);
    list.arrayAppend(row);
    order.append(list);
    row.addProperty("storeCode", "changed later"); // the copy in the array is not affected
    EXPECT_EQ(Text(order.format(false)), R"({"1001":[{"storeCode":"S1","inoutStatus":2}]})");
}

TEST(JSONElement, ElementStaysValidWhileItsDocumentGrows)
{
    JSONRoot root(JSONRoot::Type::Object);
    JSONElement top = root.toElement();
    top.addProperty("first", JSONElement::createArray());
    JSONElement first = top.namedObject("first");
    for(int i = 0; i < 200; ++i) {
        top.addProperty(wxString::Format("k%d", i), i); // grows the member storage
        first.arrayAppend(i);
    }
    EXPECT_EQ(first.arraySize(), 200);
    EXPECT_EQ(top.namedObject("first").arrayItem(199).toInt(), 199);
}

TEST(JSONElement, NamesWithSlashesAndTildesAddressTheRightMember)
{
    JSONElement e = JSONElement::createObject();
    e.addProperty("a/b", 1).addProperty("c~d", 2).addProperty("a", JSONElement::createObject());
    EXPECT_EQ(e.namedObject("a/b").toInt(), 1);
    EXPECT_EQ(e.namedObject("c~d").toInt(), 2);
    EXPECT_FALSE(e.namedObject("a").namedObject("b").isOk());
}

TEST(JSONElement, OnlyObjectsHaveNamedMembers)
{
    JSONRoot root(wxString(R"({"list":["first"],"text":"abc"})"));
    EXPECT_FALSE(root.toElement().namedObject("list").namedObject("0").isOk());
    EXPECT_FALSE(root.toElement().namedObject("text").namedObject("a").isOk());
    EXPECT_EQ(root.toElement().namedObject("list").arrayItem(0).toString(), "first");
}

TEST(JSONElement, WritesToAMissingElementChangeNothing)
{
    JSONElement e = JSONElement::createObject();
    JSONElement missing = e.namedObject("nope");
    missing.addProperty("x", 1);
    missing.arrayAppend(1);
    EXPECT_EQ(Text(e.format(false)), "{}");
    JSONElement none;
    none.addProperty("x", 1);
    EXPECT_FALSE(none.isOk());
    EXPECT_TRUE(none.format().empty());
}
