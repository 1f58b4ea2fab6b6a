#include "xml_scan.h"

#include <climits>
#include <cstring>

namespace qiv {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool isNameStart(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || u >= 0x80;
}

bool isNameChar(char c) { return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

bool startsWith(const std::string& text, std::size_t at, const char* prefix) {
    return text.compare(at, std::strlen(prefix), prefix) == 0;
}

class Reader {
public:
    explicit Reader(const std::string& text) : t_(text), n_(text.size()) {}

    XmlDocument read() {
        std::size_t p = startsWith(t_, 0, "\xEF\xBB\xBF") ? 3 : 0;
        bool doctypeSeen = false;
        while (p < n_) {
            if (t_[p] != '<') {
                const std::size_t next = t_.find('<', p);
                const std::size_t stop = next == std::string::npos ? n_ : next;
                if (open_.empty())  // outside the root only blanks
                    for (std::size_t i = p; i < stop; ++i)
                        if (!isBlank(t_[i])) return fail(i);
                p = stop;
            } else if (startsWith(t_, p, "<!--")) {
                const std::size_t close = t_.find("-->", p + 4);
                if (close == std::string::npos) return fail(p);
                p = close + 3;
            } else if (startsWith(t_, p, "<![CDATA[")) {
                const std::size_t close = t_.find("]]>", p + 9);
                if (open_.empty() || close == std::string::npos) return fail(p);
                p = close + 3;
            } else if (startsWith(t_, p, "<!DOCTYPE")) {
                const std::size_t end = doctypeSeen || !doc_.elements.empty() ? 0 : doctype(p);
                if (!end) return fail(p);
                doctypeSeen = true;
                p = end;
            } else if (startsWith(t_, p, "<?")) {
                const std::size_t close = t_.find("?>", p + 2);
                if (p + 2 >= n_ || !isNameStart(t_[p + 2]) || close == std::string::npos) return fail(p);
                p = close + 2;
            } else if (startsWith(t_, p, "</")) {
                if (!(p = endTag(p))) return fail(error_);
            } else {
                if (open_.empty() && !doc_.elements.empty()) return fail(p);  // a second root
                if (!(p = startTag(p))) return fail(error_);
            }
        }
        if (!open_.empty() || doc_.elements.empty()) return fail(n_);
        doc_.ok = true;
        return std::move(doc_);
    }

private:
    XmlDocument fail(std::size_t at) {
        XmlDocument failed;
        failed.errorAt = at;
        return failed;
    }

    // Past the '>' of the declaration at p, 0 when it has none; quoted parts and an internal
    // subset in brackets may hold '>'.
    std::size_t doctype(std::size_t p) {
        int depth = 0;
        for (std::size_t i = p + 9; i < n_; ++i) {
            const char c = t_[i];
            if (c == '"' || c == '\'') {
                const std::size_t close = t_.find(c, i + 1);
                if (close == std::string::npos) return 0;
                i = close;
            } else if (c == '[') {
                ++depth;
            } else if (c == ']') {
                --depth;
            } else if (c == '>' && depth <= 0) {
                return i + 1;
            }
        }
        return 0;
    }

    std::size_t name(std::size_t p) {
        if (p >= n_ || !isNameStart(t_[p])) return 0;
        while (p < n_ && isNameChar(t_[p])) ++p;
        return p;
    }

    std::size_t failAt(std::size_t at) {
        error_ = at;
        return 0;
    }

    std::size_t startTag(std::size_t at) {
        XmlElement e{};
        e.begin = at;
        e.nameBegin = at + 1;
        e.nameEnd = name(at + 1);
        if (!e.nameEnd) return failAt(at + 1);
        e.firstAttribute = doc_.attributes.size();
        e.parent = open_.empty() ? -1 : open_.back();
        e.firstChild = e.nextSibling = -1;
        std::size_t p = e.nameEnd;
        for (;;) {
            const std::size_t blanks = p;
            while (p < n_ && isBlank(t_[p])) ++p;
            if (p >= n_) return failAt(p);
            if (t_[p] == '>' || t_[p] == '/') {
                if (t_[p] == '/' && (p + 1 >= n_ || t_[p + 1] != '>')) return failAt(p);
                e.empty = t_[p] == '/';
                e.startTagEnd = p + (e.empty ? 2 : 1);
                break;
            }
            XmlAttribute a{};
            a.nameBegin = p;
            a.nameEnd = name(p);
            if (p == blanks || !a.nameEnd) return failAt(p);  // attributes are set apart by blanks
            p = a.nameEnd;
            while (p < n_ && isBlank(t_[p])) ++p;
            if (p >= n_ || t_[p] != '=') return failAt(p);
            ++p;
            while (p < n_ && isBlank(t_[p])) ++p;
            if (p >= n_ || (t_[p] != '"' && t_[p] != '\'')) return failAt(p);
            const std::size_t close = t_.find(t_[p], p + 1);
            if (close == std::string::npos) return failAt(p);
            // A '<' is never part of a value: seen there, a quote was left open.
            const void* angle = std::memchr(t_.data() + p + 1, '<', close - p - 1);
            if (angle != nullptr) return failAt(static_cast<const char*>(angle) - t_.data());
            a.valueBegin = p + 1;
            a.valueEnd = close;
            doc_.attributes.push_back(a);
            p = close + 1;
        }
        e.attributeCount = doc_.attributes.size() - e.firstAttribute;
        const int index = static_cast<int>(doc_.elements.size());
        if (e.parent >= 0) {
            int& last = lastChild_[e.parent];
            if (last < 0)
                doc_.elements[e.parent].firstChild = index;
            else
                doc_.elements[last].nextSibling = index;
            last = index;
        }
        if (e.empty) {
            e.contentEnd = e.end = e.startTagEnd;
        } else {
            open_.push_back(index);
        }
        doc_.elements.push_back(e);
        lastChild_.push_back(-1);
        return e.startTagEnd;
    }

    std::size_t endTag(std::size_t at) {
        const std::size_t nameEnd = name(at + 2);
        if (!nameEnd || open_.empty()) return failAt(at);
        XmlElement& e = doc_.elements[open_.back()];
        if (nameEnd - at - 2 != e.nameEnd - e.nameBegin ||
            t_.compare(at + 2, nameEnd - at - 2, t_, e.nameBegin, e.nameEnd - e.nameBegin) != 0)
            return failAt(at);
        std::size_t p = nameEnd;
        while (p < n_ && isBlank(t_[p])) ++p;
        if (p >= n_ || t_[p] != '>') return failAt(p);
        e.contentEnd = at;
        e.end = p + 1;
        open_.pop_back();
        return e.end;
    }

    const std::string& t_;
    const std::size_t n_;
    XmlDocument doc_;
    std::vector<int> open_;       // elements whose end tag is still to come
    std::vector<int> lastChild_;  // per element, its last child so far
    std::size_t error_ = 0;
};

void appendUtf8(std::string& out, unsigned long code) {
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

// The reference at text[at] ('&'), decoded into out; false when it is none (kept as it is).
bool decodeReference(const std::string& text, std::size_t at, std::size_t end, std::string& out, std::size_t& next) {
    const std::size_t semicolon = text.find(';', at);
    if (semicolon == std::string::npos || semicolon >= end || semicolon - at > 10) return false;
    const std::string name = text.substr(at + 1, semicolon - at - 1);
    static const struct {
        const char* name;
        char c;
    } kNamed[] = {{"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& n : kNamed)
        if (name == n.name) {
            out += n.c;
            next = semicolon + 1;
            return true;
        }
    if (name.size() < 2 || name[0] != '#') return false;
    const bool hex = name[1] == 'x';
    if (name.size() == (hex ? 2u : 1u)) return false;
    unsigned long code = 0;
    for (std::size_t i = hex ? 2 : 1; i < name.size(); ++i) {
        const char c = name[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        code = code * (hex ? 16 : 10) + digit;
        if (code > 0x10FFFF) return false;
    }
    appendUtf8(out, code);
    next = semicolon + 1;
    return true;
}

}  // namespace

XmlDocument readXml(const std::string& text) { return Reader(text).read(); }

bool elementIs(const std::string& text, const XmlElement& element, const char* name) {
    const std::size_t length = std::strlen(name);
    return element.nameEnd - element.nameBegin == length && text.compare(element.nameBegin, length, name) == 0;
}

int firstChildElement(const std::string& text, const XmlDocument& doc, int parent, const char* name) {
    int child = doc.elements[parent].firstChild;
    while (child >= 0 && name != nullptr && !elementIs(text, doc.elements[child], name))
        child = doc.elements[child].nextSibling;
    return child;
}

int nextSiblingElement(const std::string& text, const XmlDocument& doc, int element, const char* name) {
    int next = doc.elements[element].nextSibling;
    while (next >= 0 && name != nullptr && !elementIs(text, doc.elements[next], name))
        next = doc.elements[next].nextSibling;
    return next;
}

const XmlAttribute* findAttribute(const std::string& text, const XmlDocument& doc, const XmlElement& element,
                                  const char* name) {
    const std::size_t length = std::strlen(name);
    for (std::size_t i = 0; i < element.attributeCount; ++i) {
        const XmlAttribute& a = doc.attributes[element.firstAttribute + i];
        if (a.nameEnd - a.nameBegin == length && text.compare(a.nameBegin, length, name) == 0) return &a;
    }
    return nullptr;
}

std::string attributeValue(const std::string& text, const XmlAttribute& attribute) {
    std::string value;
    for (std::size_t p = attribute.valueBegin; p < attribute.valueEnd;) {
        std::size_t next;
        if (text[p] == '&' && decodeReference(text, p, attribute.valueEnd, value, next)) {
            p = next;
        } else {
            value += text[p++];
        }
    }
    return value;
}

int xmlInteger(const std::string& value) {
    std::size_t i = 0;
    while (i < value.size() && isBlank(value[i])) ++i;
    const bool negative = i < value.size() && value[i] == '-';
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) ++i;
    const bool hex = i + 1 < value.size() && value[i] == '0' && (value[i + 1] | ' ') == 'x';
    if (hex) i += 2;
    unsigned long long number = 0;
    bool overflow = false;
    for (; i < value.size(); ++i) {
        const char c = value[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && (c | ' ') >= 'a' && (c | ' ') <= 'f')
            digit = (c | ' ') - 'a' + 10;
        else
            break;
        number = number * (hex ? 16 : 10) + digit;
        if (number > 0xFFFFFFFFull) overflow = true, number = 0xFFFFFFFFull;
    }
    if (negative)
        return overflow || number > 0x80000000ull ? INT_MIN : static_cast<int>(-static_cast<long long>(number));
    return overflow || number > static_cast<unsigned long long>(INT_MAX) ? INT_MAX : static_cast<int>(number);
}

}  // namespace qiv
