#include "foundation/XmlHelpers.h"

#include "foundation/DelimitedText.h"
#include "foundation/NumberFormat.h"

namespace {

pugi::xml_attribute FindAttribute(pugi::xml_node Element, std::string_view Name)
{
    for (pugi::xml_attribute A : Element.attributes())
        if (Name == A.name())
            return A;
    return pugi::xml_attribute();
}

void AppendText(pugi::xml_node Node, std::string& Out)
{
    for (pugi::xml_node Child : Node.children()) {
        if (Child.type() == pugi::node_pcdata || Child.type() == pugi::node_cdata)
            Out += Child.value();
        else if (Child.type() == pugi::node_element)
            AppendText(Child, Out);
    }
}

char Lower(char C)
{
    return (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C;
}

bool SameTextIgnoringCase(std::string_view A, std::string_view B)
{
    if (A.size() != B.size())
        return false;
    for (std::size_t I = 0; I < A.size(); ++I)
        if (Lower(A[I]) != Lower(B[I]))
            return false;
    return true;
}

bool StrToBool(std::string_view Text)
{
    const std::string_view Word = TrimText(Text);
    if (SameTextIgnoringCase(Word, "true"))
        return true;
    if (SameTextIgnoringCase(Word, "false"))
        return false;
    int N = 0;
    if (TryStrToInt(Word, N))
        return N != 0;
    throw EConvertError("'" + std::string(Text) + "' is not a valid boolean value");
}

} // namespace

pugi::xml_node FindChildNode(pugi::xml_node Node, std::string_view Name, bool Create)
{
    if (!Node)
        return pugi::xml_node();
    for (pugi::xml_node Child : Node.children())
        if (Child.type() == pugi::node_element && Name == Child.name())
            return Child;
    if (!Create)
        return pugi::xml_node();
    return Node.append_child(std::string(Name).c_str());
}

pugi::xml_node FindNodePath(pugi::xml_node Node, const std::vector<std::string>& Names, bool Create)
{
    for (const std::string& Name : Names) {
        Node = FindChildNode(Node, Name, Create);
        if (!Node)
            break;
    }
    return Node;
}

void SetAttrText(pugi::xml_node Element, std::string_view Name, std::string_view Text)
{
    if (!Element)
        return;
    pugi::xml_attribute A = FindAttribute(Element, Name);
    if (!A)
        A = Element.append_attribute(std::string(Name).c_str());
    A.set_value(Text.data(), Text.size());
}

std::string GetAttrText(pugi::xml_node Element, std::string_view Name, std::string_view Default)
{
    const pugi::xml_attribute A = FindAttribute(Element, Name);
    return A ? std::string(A.value()) : std::string(Default);
}

int GetAttrInt(pugi::xml_node Element, std::string_view Name, int Default)
{
    const pugi::xml_attribute A = FindAttribute(Element, Name);
    return A ? StrToInt(A.value()) : Default;
}

double GetAttrFloat(pugi::xml_node Element, std::string_view Name, double Default)
{
    const pugi::xml_attribute A = FindAttribute(Element, Name);
    return A ? StrToFloat(A.value()) : Default;
}

bool GetAttrBool(pugi::xml_node Element, std::string_view Name, bool Default)
{
    const pugi::xml_attribute A = FindAttribute(Element, Name);
    return A ? StrToBool(A.value()) : Default;
}

std::string GetNodeText(pugi::xml_node Node)
{
    std::string Out;
    if (Node.type() == pugi::node_pcdata || Node.type() == pugi::node_cdata)
        Out = Node.value();
    else
        AppendText(Node, Out);
    return Out;
}

int GetNodeInt(pugi::xml_node Node)
{
    return StrToInt(GetNodeText(Node));
}

double GetNodeFloat(pugi::xml_node Node)
{
    return StrToFloat(GetNodeText(Node));
}

std::string GetChildNodeText(pugi::xml_node Node, std::string_view Name, std::string_view Default)
{
    const pugi::xml_node Child = FindChildNode(Node, Name, false);
    return Child ? GetNodeText(Child) : std::string(Default);
}

int GetChildNodeInt(pugi::xml_node Node, std::string_view Name, int Default)
{
    const pugi::xml_node Child = FindChildNode(Node, Name, false);
    return Child ? GetNodeInt(Child) : Default;
}

double GetChildNodeFloat(pugi::xml_node Node, std::string_view Name, double Default)
{
    const pugi::xml_node Child = FindChildNode(Node, Name, false);
    return Child ? GetNodeFloat(Child) : Default;
}
