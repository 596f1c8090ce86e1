#pragma once
// A read-only XML document object model on libxml2, safe by construction: no network access, no
// external entity or DTD is ever loaded (every external resource is refused), and libxml2's limits
// on entity expansion and nesting depth stay in force. Documents are loaded from text already
// decoded (a String); a declared encoding is ignored.
//
// The tree keeps elements and text nodes ("#text"; CDATA sections count as text, whitespace-only
// text is dropped) in document order; names are qualified ("xlink:href"); attributes keep their
// document order.
#include <memory>
#include <vector>

#include "platform/rtl/SysUtils.h"

enum TNodeType { ntReserved, ntElement, ntAttribute, ntText };

// A document the parser rejects: Reason with the line and column where it stopped.
class EDOMParseError : public Exception {
  ZELK_CLASS(EDOMParseError, Exception)
public:
  EDOMParseError(const String& AReason, Integer ALine, Integer ALinePos);
  const String& GetReason() const { return FReason; }
  Integer GetLine() const { return FLine; }
  Integer GetLinePos() const { return FLinePos; }

private:
  String FReason;
  Integer FLine = 0;
  Integer FLinePos = 0;
};

struct TXMLAttribute {
  String Name;
  String Value;
};

class IXMLNode {
public:
  IXMLNode(TNodeType AType, String AName) : FType(AType), FName(std::move(AName)) {}
  IXMLNode(const IXMLNode&) = delete;
  IXMLNode& operator=(const IXMLNode&) = delete;

  TNodeType GetNodeType() const { return FType; }
  // The qualified element name, or "#text".
  const String& GetNodeName() const { return FName; }
  // A text node: its text. An element: its Text when it holds only text, else "".
  String GetNodeValue() const;
  // The text of an element's text children joined; a text node's own text.
  String GetText() const;
  // An element whose children are all text (at least one).
  bool IsTextElement() const;

  const std::vector<TXMLAttribute>& GetAttributeNodes() const { return FAttributes; }
  bool HasAttribute(StringView Name) const;
  // "" when absent.
  String GetAttribute(StringView Name) const;

  Integer GetChildCount() const { return static_cast<Integer>(FChildren.size()); }
  IXMLNode* GetChildNode(Integer Index) const { return FChildren.at(static_cast<std::size_t>(Index)).get(); }
  const std::vector<std::unique_ptr<IXMLNode>>& GetChildNodes() const { return FChildren; }

private:
  friend class TXMLTreeBuilder;
  TNodeType FType;
  String FName;
  String FValue;   // text nodes
  std::vector<TXMLAttribute> FAttributes;
  std::vector<std::unique_ptr<IXMLNode>> FChildren;
};

class IXMLDocument {
public:
  IXMLDocument();
  ~IXMLDocument();
  IXMLDocument(const IXMLDocument&) = delete;
  IXMLDocument& operator=(const IXMLDocument&) = delete;

  // Replaces the document by the parsed text; EDOMParseError when it is not well-formed, when it
  // holds a document type declaration while ProhibitDTD is set, or when a limit is exceeded. The
  // document is empty after a failure.
  void LoadFromXML(const String& XML);
  // nullptr when nothing is loaded.
  IXMLNode* GetDocumentElement() const { return FRoot.get(); }
  bool GetActive() const { return FRoot != nullptr; }
  // The document serialised as UTF-8 ("" when nothing is loaded).
  UTF8String SaveToXML() const;

  // Starts as the factory's "ProhibitDTD" property.
  bool GetProhibitDTD() const { return FProhibitDTD; }
  void SetProhibitDTD(bool Value) { FProhibitDTD = Value; }

private:
  struct TImpl;
  std::unique_ptr<TImpl> FImpl;
  std::unique_ptr<IXMLNode> FRoot;
  bool FProhibitDTD;
};

using IXMLDocumentPtr = std::shared_ptr<IXMLDocument>;

// A new, empty document.
IXMLDocumentPtr NewXMLDocument();
// Properties of the document factory, taken by documents created afterwards. Known: "ProhibitDTD"
// (starts true). EArgumentException for any other name.
void SetDOMProperty(const String& Name, bool Value);
bool GetDOMProperty(const String& Name);
