#pragma once
// Reading and building elements of the XML import DOM (pugixml). Names are
// compared exactly as the document gives them.
//
// Conversions use the strict number parsers: a missing attribute or child
// gives the Default; one that is present but not a number of the type raises
// EConvertError with the parser's message, so that an import reports a
// damaged file instead of quietly reading zeros.

#include <pugixml.hpp>

#include <string>
#include <string_view>
#include <vector>

// The first child element named Name; with Create it is appended when missing.
// A null Node gives a null node.
pugi::xml_node FindChildNode(pugi::xml_node Node, std::string_view Name, bool Create);

// Walks (and with Create builds) a path of child elements.
pugi::xml_node FindNodePath(pugi::xml_node Node, const std::vector<std::string>& Names, bool Create);

// Sets the attribute, adding it when missing.
void SetAttrText(pugi::xml_node Element, std::string_view Name, std::string_view Text);

std::string GetAttrText(pugi::xml_node Element, std::string_view Name, std::string_view Default);
int GetAttrInt(pugi::xml_node Element, std::string_view Name, int Default);
double GetAttrFloat(pugi::xml_node Element, std::string_view Name, double Default);
// "true"/"false" in any letter case, or an integer (non-zero is true).
bool GetAttrBool(pugi::xml_node Element, std::string_view Name, bool Default);

// The text of the node and all its descendants, as written; "" for a null node.
std::string GetNodeText(pugi::xml_node Node);
int GetNodeInt(pugi::xml_node Node);
double GetNodeFloat(pugi::xml_node Node);

std::string GetChildNodeText(pugi::xml_node Node, std::string_view Name, std::string_view Default);
int GetChildNodeInt(pugi::xml_node Node, std::string_view Name, int Default);
double GetChildNodeFloat(pugi::xml_node Node, std::string_view Name, double Default);
