#include "editor_config.h"

#include "hmac_sha256.h"
#include "xml_scan.h"

namespace qiv {

std::string shortcutsHmac(const std::string& machineGuid, const std::string& shortcutsBytes) {
    return toHex(hmacSha256(machineGuid, shortcutsBytes));
}

ConfigEdit renewShortcutsTrust(const std::string& config, const std::string& oldHmac, const std::string& newHmac) {
    ConfigEdit edit{false, config};
    const XmlDocument doc = readXml(config);
    if (!doc.ok || !elementIs(config, doc.elements[0], "NotepadPlus")) return edit;
    const int settings = firstChildElement(config, doc, 0, "GUIConfigs");
    if (settings < 0) return edit;
    // The editor reads every entry in turn, so the last one with a value counts.
    const XmlAttribute* counted = nullptr;
    for (int e = firstChildElement(config, doc, settings, "GUIConfig"); e >= 0;
         e = nextSiblingElement(config, doc, e, "GUIConfig")) {
        const XmlAttribute* name = findAttribute(config, doc, doc.elements[e], "name");
        if (name == nullptr || attributeValue(config, *name) != "shortcutsXmlHMAC") continue;
        const XmlAttribute* value = findAttribute(config, doc, doc.elements[e], "value");
        if (value != nullptr && value->valueEnd > value->valueBegin) counted = value;
    }
    if (counted == nullptr || oldHmac.empty() || attributeValue(config, *counted) != oldHmac) return edit;
    edit.text.replace(counted->valueBegin, counted->valueEnd - counted->valueBegin, newHmac);
    edit.changed = edit.text != config;
    return edit;
}

}  // namespace qiv
