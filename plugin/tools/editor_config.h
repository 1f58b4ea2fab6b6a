// The editor vouches for its shortcuts.xml in config.xml beside it:
//   <GUIConfig name="shortcutsXmlHMAC" value="..." />
// holds the HMAC-SHA256 of the file's exact bytes (lower-case hex, keyed with the machine's
// GUID string). When the file's HMAC differs from it, the editor refuses to run macros and
// user commands until the user validates the file. After editorkeys rewrites shortcuts.xml,
// the value is renewed, but only where the editor trusted the old bytes. Pure text work.
#ifndef QIV_EDITOR_CONFIG_H
#define QIV_EDITOR_CONFIG_H

#include <string>

namespace qiv {

// The HMAC the editor computes for a shortcuts file's bytes, as it writes it in config.xml.
std::string shortcutsHmac(const std::string& machineGuid, const std::string& shortcutsBytes);

struct ConfigEdit {
    bool changed;  // false: `text` is the config as it was
    std::string text;
};

// When the value the editor reads from `config` (the last non-empty shortcutsXmlHMAC entry of
// <NotepadPlus><GUIConfigs>) is exactly `oldHmac`, that value becomes `newHmac`; every other
// byte is kept. A config without the entry, with another value, or not well-formed is left
// as it is: the tool never vouches for a file the editor did not trust.
ConfigEdit renewShortcutsTrust(const std::string& config, const std::string& oldHmac, const std::string& newHmac);

}  // namespace qiv

#endif
