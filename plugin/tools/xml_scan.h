// A small XML reader for the editor's settings files (shortcuts.xml, config.xml). It finds
// elements and attributes as byte ranges of the text, so that an edit replaces exactly the
// bytes it means and keeps every other byte. It knows comments, CDATA sections, processing
// instructions, a document type declaration, quoted attribute values (a '>' or "/>" inside
// quotes is just a character), and both forms of elements (<a/> and <a>...</a>). A text it
// cannot read as one well-formed element tree is refused as a whole. Pure code.
#ifndef QIV_XML_SCAN_H
#define QIV_XML_SCAN_H

#include <cstddef>
#include <string>
#include <vector>

namespace qiv {

struct XmlAttribute {
    std::size_t nameBegin, nameEnd;
    std::size_t valueBegin, valueEnd;  // inside the quotes, entities not decoded
};

struct XmlElement {
    std::size_t begin;        // the '<' of its start tag
    std::size_t startTagEnd;  // past the start tag's '>'
    std::size_t contentEnd;   // the '<' of its end tag; startTagEnd for an empty-element tag
    std::size_t end;          // past the whole element
    bool empty;               // written <a ... />
    std::size_t nameBegin, nameEnd;
    std::size_t firstAttribute, attributeCount;  // in XmlDocument::attributes
    int parent, firstChild, nextSibling;         // element indexes, -1 for none
};

struct XmlDocument {
    bool ok = false;
    std::size_t errorAt = 0;           // where reading failed
    std::vector<XmlElement> elements;  // in document order; the root is elements[0]
    std::vector<XmlAttribute> attributes;
};

// Reads the text (a UTF-8 byte order mark may open it). Linear in the text's length.
XmlDocument readXml(const std::string& text);

// Whether the element's name is `name`.
bool elementIs(const std::string& text, const XmlElement& element, const char* name);

// The first child of `parent` named `name` (any child when `name` is null), or -1.
int firstChildElement(const std::string& text, const XmlDocument& doc, int parent, const char* name);
// The next sibling of `element` named `name`, or -1.
int nextSiblingElement(const std::string& text, const XmlDocument& doc, int element, const char* name);

// The element's first attribute called `name`, or null.
const XmlAttribute* findAttribute(const std::string& text, const XmlDocument& doc, const XmlElement& element,
                                  const char* name);

// An attribute's value with the character and entity references decoded.
std::string attributeValue(const std::string& text, const XmlAttribute& attribute);

// A value read as a whole number the way the editor reads one: blanks first, then a sign,
// then decimal digits or 0x and hex digits, anything after them ignored; 0 when no digits,
// and numbers past the int range cut to its ends.
int xmlInteger(const std::string& value);

}  // namespace qiv

#endif
