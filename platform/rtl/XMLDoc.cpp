// The XML document object model over libxml2.
#include "platform/rtl/XMLDoc.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <atomic>
#include <mutex>

namespace {

std::atomic<bool> FactoryProhibitDTD{true};

// Every external resource (entity, DTD, anything the parser would open) is refused; the parse
// that asked for one is marked so that it fails as a whole.
xmlParserInputPtr RefuseExternalResource(const char* URL, const char* ID, xmlParserCtxtPtr Context) {
  (void)ID;
  if (Context && Context->_private) *static_cast<String*>(Context->_private) = UTF8ToString(URL ? URL : "");
  return nullptr;
}

void InstallRefusingLoader() {
  static std::once_flag once;
  std::call_once(once, [] {
    xmlInitParser();
    xmlSetExternalEntityLoader(RefuseExternalResource);
  });
}

String FromXml(const xmlChar* S) { return S ? UTF8ToString(reinterpret_cast<const char*>(S)) : String(); }

String QualifiedName(const xmlChar* Name, const xmlNs* Ns) {
  if (Ns && Ns->prefix) return FromXml(Ns->prefix) + u':' + FromXml(Name);
  return FromXml(Name);
}

bool IsBlank(const String& S) {
  for (Char c : S)
    if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n') return false;
  return true;
}

struct TDocFree {
  void operator()(xmlDoc* Doc) const { xmlFreeDoc(Doc); }
};
struct TContextFree {
  void operator()(xmlParserCtxt* Context) const { xmlFreeParserCtxt(Context); }
};

}  // namespace

// Copies libxml2's tree into the document's own nodes.
class TXMLTreeBuilder {
public:
  static std::unique_ptr<IXMLNode> Element(xmlNode* Node) {
    auto result = std::make_unique<IXMLNode>(ntElement, QualifiedName(Node->name, Node->ns));
    for (xmlNs* ns = Node->nsDef; ns; ns = ns->next)
      result->FAttributes.push_back({ns->prefix ? u"xmlns:" + FromXml(ns->prefix) : String(u"xmlns"), FromXml(ns->href)});
    for (xmlAttr* a = Node->properties; a; a = a->next) {
      xmlChar* value = xmlNodeListGetString(Node->doc, a->children, 1);
      result->FAttributes.push_back({QualifiedName(a->name, a->ns), FromXml(value)});
      xmlFree(value);
    }
    for (xmlNode* child = Node->children; child; child = child->next) {
      if (child->type == XML_ELEMENT_NODE) {
        result->FChildren.push_back(Element(child));
      } else if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
        String text = FromXml(child->content);
        if (IsBlank(text)) continue;
        auto node = std::make_unique<IXMLNode>(ntText, u"#text");
        node->FValue = std::move(text);
        result->FChildren.push_back(std::move(node));
      }
    }
    return result;
  }
};

// ---------------------------------------------------------------------------------------------
// EDOMParseError, IXMLNode
// ---------------------------------------------------------------------------------------------

EDOMParseError::EDOMParseError(const String& AReason, Integer ALine, Integer ALinePos)
    : Exception(AReason + u" (line " + IntToStr(ALine) + u", column " + IntToStr(ALinePos) + u")"),
      FReason(AReason), FLine(ALine), FLinePos(ALinePos) {}

bool IXMLNode::IsTextElement() const {
  if (FType != ntElement || FChildren.empty()) return false;
  for (const auto& c : FChildren)
    if (c->FType != ntText) return false;
  return true;
}

String IXMLNode::GetText() const {
  if (FType == ntText) return FValue;
  String result;
  for (const auto& c : FChildren)
    if (c->FType == ntText) result += c->FValue;
  return result;
}

String IXMLNode::GetNodeValue() const {
  if (FType == ntText) return FValue;
  return IsTextElement() ? GetText() : String();
}

bool IXMLNode::HasAttribute(StringView Name) const {
  for (const auto& a : FAttributes)
    if (a.Name == Name) return true;
  return false;
}

String IXMLNode::GetAttribute(StringView Name) const {
  for (const auto& a : FAttributes)
    if (a.Name == Name) return a.Value;
  return String();
}

// ---------------------------------------------------------------------------------------------
// IXMLDocument
// ---------------------------------------------------------------------------------------------

struct IXMLDocument::TImpl {
  std::unique_ptr<xmlDoc, TDocFree> Doc;
};

IXMLDocument::IXMLDocument() : FImpl(std::make_unique<TImpl>()), FProhibitDTD(FactoryProhibitDTD.load()) {}

IXMLDocument::~IXMLDocument() = default;

void IXMLDocument::LoadFromXML(const String& XML) {
  InstallRefusingLoader();
  FRoot.reset();
  FImpl->Doc.reset();
  const UTF8String bytes = UTF8Encode(XML);
  std::unique_ptr<xmlParserCtxt, TContextFree> context(xmlNewParserCtxt());
  if (!context) throw EOutOfMemory(u"Out of memory");
  String refused;
  context->_private = &refused;
  // Never XML_PARSE_DTDLOAD, DTDVALID or HUGE: the loader refuses every resource anyway, and the
  // entity amplification and depth limits stay on.
  const int options = XML_PARSE_NONET | XML_PARSE_NOENT | XML_PARSE_NOCDATA | XML_PARSE_IGNORE_ENC |
                      XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
  std::unique_ptr<xmlDoc, TDocFree> doc(
      xmlCtxtReadMemory(context.get(), bytes.data(), static_cast<int>(bytes.size()), nullptr, "UTF-8", options));
  if (!refused.empty()) throw EDOMParseError(u"External resource refused: " + refused, context->input ? context->input->line : 0, 0);
  if (!doc || !context->wellFormed) {
    const xmlError* error = xmlCtxtGetLastError(context.get());
    String reason = error && error->message ? Trim(FromXml(reinterpret_cast<const xmlChar*>(error->message)))
                                            : String(u"The document is not well-formed");
    if (bytes.empty()) reason = u"The document is empty";
    throw EDOMParseError(reason, error ? error->line : 0, error ? error->int2 : 0);
  }
  if (FProhibitDTD && (doc->intSubset || doc->extSubset)) throw EDOMParseError(u"DTD is prohibited", 1, 1);
  xmlNode* root = xmlDocGetRootElement(doc.get());
  if (root) FRoot = TXMLTreeBuilder::Element(root);
  FImpl->Doc = std::move(doc);
}

UTF8String IXMLDocument::SaveToXML() const {
  if (!FImpl->Doc) return UTF8String();
  xmlChar* memory = nullptr;
  int size = 0;
  xmlDocDumpMemoryEnc(FImpl->Doc.get(), &memory, &size, "UTF-8");
  UTF8String result(reinterpret_cast<const char*>(memory), memory ? static_cast<std::size_t>(size) : 0);
  xmlFree(memory);
  return result;
}

IXMLDocumentPtr NewXMLDocument() { return std::make_shared<IXMLDocument>(); }

void SetDOMProperty(const String& Name, bool Value) {
  if (Name != u"ProhibitDTD") throw EArgumentException(u"Unknown DOM property: " + Name);
  FactoryProhibitDTD = Value;
}

bool GetDOMProperty(const String& Name) {
  if (Name != u"ProhibitDTD") throw EArgumentException(u"Unknown DOM property: " + Name);
  return FactoryProhibitDTD;
}
