#include "foundation/NumberFormat.h"
#include "foundation/XmlHelpers.h"

#include <gtest/gtest.h>

namespace {

const char* const Sample = R"(<?xml version = "1.0" encoding="iso-8859-1" ?>
<network>
<head>
 <version>1.0.0.2</version>
 <barometer>101.325</barometer>
</head>
<body>
 <nodes>
  <node id="3" open="TRUE" shut="0" odd="maybe" size="1,5" big="99999999999">
  <caption>Room <b>1</b></caption>
  <xpos> 120 </xpos>
  <ypos>x</ypos>
  <density></density>
  </node>
 </nodes>
</body>
</network>)";

class XmlHelpers : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Doc.load_string(Sample));
        Root = Doc.document_element();
        Node = FindNodePath(Root, {"body", "nodes", "node"}, false);
        ASSERT_TRUE(Node);
    }
    pugi::xml_document Doc;
    pugi::xml_node Root;
    pugi::xml_node Node;
};

} // namespace

TEST_F(XmlHelpers, FindsAndBuildsPaths)
{
    EXPECT_EQ(GetNodeText(FindNodePath(Root, {"head", "version"}, false)), "1.0.0.2");
    EXPECT_FALSE(FindNodePath(Root, {"head", "missing", "deeper"}, false));
    EXPECT_FALSE(FindChildNode(Root, "Head", false)) << "names are compared exactly";
    EXPECT_FALSE(FindChildNode(pugi::xml_node(), "head", true));

    const pugi::xml_node Made = FindNodePath(Root, {"head", "properties", "author"}, true);
    ASSERT_TRUE(Made);
    EXPECT_STREQ(Made.parent().name(), "properties");
    EXPECT_EQ(FindNodePath(Root, {"head", "properties", "author"}, true), Made) << "found, not added twice";
    int Heads = 0;
    for (pugi::xml_node C : Root.children("head"))
        Heads += C ? 1 : 0;
    EXPECT_EQ(Heads, 1);
}

TEST_F(XmlHelpers, ValuesConvertOrDefault)
{
    EXPECT_EQ(GetAttrInt(Node, "id", -1), 3);
    EXPECT_EQ(GetAttrInt(Node, "nothere", -1), -1);
    EXPECT_EQ(GetAttrText(Node, "id", "none"), "3");
    EXPECT_EQ(GetAttrText(Node, "nothere", "none"), "none");
    EXPECT_DOUBLE_EQ(GetAttrFloat(Node, "id", 0), 3.0);
    EXPECT_DOUBLE_EQ(GetAttrFloat(Node, "nothere", 2.5), 2.5);
    EXPECT_TRUE(GetAttrBool(Node, "open", false));
    EXPECT_FALSE(GetAttrBool(Node, "shut", true));
    EXPECT_TRUE(GetAttrBool(Node, "nothere", true));
    EXPECT_EQ(GetChildNodeText(Node, "caption", ""), "Room 1");
    EXPECT_EQ(GetChildNodeText(Node, "nothere", "dflt"), "dflt");
    EXPECT_EQ(GetChildNodeInt(Node, "xpos", 0), 120);
    EXPECT_EQ(GetChildNodeInt(Node, "nothere", 7), 7);
    EXPECT_DOUBLE_EQ(GetChildNodeFloat(FindChildNode(Root, "head", false), "barometer", 0), 101.325);
    EXPECT_DOUBLE_EQ(GetChildNodeFloat(Node, "nothere", 1.2), 1.2);
    EXPECT_EQ(GetNodeText(pugi::xml_node()), "");
}

TEST_F(XmlHelpers, UnreadableValuesRaise)
{
    EXPECT_THROW(GetAttrFloat(Node, "size", 0), EConvertError); // comma decimals
    EXPECT_THROW(GetAttrInt(Node, "big", 0), EConvertError);     // beyond 32 bits
    EXPECT_THROW(GetAttrBool(Node, "odd", false), EConvertError);
    EXPECT_THROW(GetChildNodeInt(Node, "ypos", 0), EConvertError);
    EXPECT_THROW(GetChildNodeFloat(Node, "density", 0), EConvertError);
    EXPECT_THROW(GetNodeFloat(pugi::xml_node()), EConvertError);
    try {
        GetChildNodeInt(Node, "ypos", 0);
    } catch (const EConvertError& E) {
        EXPECT_STREQ(E.what(), "'x' is not a valid integer value");
    }
}

TEST_F(XmlHelpers, SetAttrTextAddsOrReplaces)
{
    SetAttrText(Node, "id", "17");
    SetAttrText(Node, "caption", "A & B");
    EXPECT_EQ(GetAttrInt(Node, "id", 0), 17);
    EXPECT_EQ(GetAttrText(Node, "caption", ""), "A & B");
    int Ids = 0;
    for (pugi::xml_attribute A : Node.attributes())
        Ids += std::string_view(A.name()) == "id" ? 1 : 0;
    EXPECT_EQ(Ids, 1);
    SetAttrText(pugi::xml_node(), "x", "y"); // a null element is left alone
}
