// The editor's trust in shortcuts.xml: SHA-256 and HMAC-SHA256 on published test vectors,
// and the renewal of the HMAC in config.xml.
#include <gtest/gtest.h>

#include <cctype>

#include "editor_config.h"
#include "hmac_sha256.h"

using namespace qiv;

TEST(Sha256, PublishedVectors) {
    const struct {
        std::string data;
        const char* digest;
    } rows[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& r : rows) EXPECT_EQ(toHex(sha256(r.data)), r.digest) << r.data.size();
}

TEST(Sha256, PiecesOfAnySizeGiveTheSameDigest) {
    std::string data;
    for (int i = 0; i < 1000; ++i) data += static_cast<char>(i * 7 + i / 13);
    const Sha256Digest whole = sha256(data);
    for (size_t piece : {1u, 3u, 55u, 63u, 64u, 65u, 127u, 999u}) {
        Sha256 hash;
        for (size_t at = 0; at < data.size(); at += piece) hash.update(data.substr(at, piece));
        EXPECT_EQ(hash.finish(), whole) << piece;
    }
}

// RFC 4231, test cases 1 to 7 (case 5 compares the first 128 bits, as published).
TEST(HmacSha256, Rfc4231Vectors) {
    std::string key4;
    for (char c = 1; c <= 25; ++c) key4 += c;
    const std::string large =
        "This is a test using a larger than block-size key and a larger than block-size data. "
        "The key needs to be hashed before being used by the HMAC algorithm.";
    const struct {
        std::string key, data;
        const char* mac;
    } rows[] = {
        {std::string(20, '\x0b'), "Hi There", "b0344c61d8db38535ca8afceaf0bf12b881dc200c9833da726e9376c2e32cff7"},
        {"Jefe", "what do ya want for nothing?", "5bdcc146bf60754e6a042426089575c75a003f089d2739839dec58b964ec3843"},
        {std::string(20, '\xaa'), std::string(50, '\xdd'),
         "773ea91e36800e46854db8ebd09181a72959098b3ef8c122d9635514ced565fe"},
        {key4, std::string(50, '\xcd'), "82558a389a443c0ea4cc819899f2083a85f0faa3e578f8077a2e3ff46729665b"},
        {std::string(20, '\x0c'), "Test With Truncation", "a3b6167473100ee06e0c796c2955552b"},
        {std::string(131, '\xaa'), "Test Using Larger Than Block-Size Key - Hash Key First",
         "60e431591ee0b67f0d8a26aacbf5b77f8e0bc6213728c5140546040f0ee37f54"},
        {std::string(131, '\xaa'), large, "9b09ffa71b942fcb27635fbcd5b0e944bfdc63644f0713938a7f51535c3a35e2"},
    };
    for (const auto& r : rows) {
        const std::string mac = toHex(hmacSha256(r.key, r.data));
        EXPECT_EQ(mac.substr(0, std::string(r.mac).size()), r.mac) << r.data;
    }
    // The editor's form: the key is the GUID string's bytes, the digest lower-case hex.
    EXPECT_EQ(shortcutsHmac("Jefe", "what do ya want for nothing?"),
              toHex(hmacSha256("Jefe", "what do ya want for nothing?")));
}

namespace {

const std::string kGuid = "5c1e2b9a-37f4-4d3e-9a61-0b2f6c8d7e10";

std::string configWith(const std::string& settings) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<NotepadPlus>\r\n    <GUIConfigs>\r\n"
           "        <GUIConfig name=\"ToolBar\" visible=\"yes\">standard</GUIConfig>\r\n" +
           settings + "    </GUIConfigs>\r\n    <FindHistory nbMaxFindHistoryPath=\"10\" />\r\n</NotepadPlus>\r\n";
}

std::string entry(const std::string& value) {
    return "        <GUIConfig name=\"shortcutsXmlHMAC\" value=\"" + value + "\" />\r\n";
}

std::string replacedOnce(std::string text, const std::string& from, const std::string& to, size_t nth = 0) {
    size_t at = text.find(from);
    while (nth-- > 0 && at != std::string::npos) at = text.find(from, at + 1);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

}  // namespace

TEST(EditorTrust, TheHmacIsRenewedOnlyWhereTheEditorTrustedTheOldBytes) {
    const std::string oldHmac = shortcutsHmac(kGuid, "<NotepadPlus>old</NotepadPlus>");
    const std::string newHmac = shortcutsHmac(kGuid, "<NotepadPlus>new</NotepadPlus>");
    const std::string other = shortcutsHmac(kGuid, "<NotepadPlus>other</NotepadPlus>");
    std::string upper = oldHmac;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::string trusted = configWith(entry(oldHmac));
    const struct {
        const char* name;
        std::string config;
        std::string expected;  // the config after the edit
    } rows[] = {
        {"the value is the old bytes' HMAC", trusted, replacedOnce(trusted, oldHmac, newHmac)},
        {"another value", configWith(entry(other)), configWith(entry(other))},
        {"no entry", configWith(""), configWith("")},
        {"the old HMAC in capitals (the editor compares exactly)", configWith(entry(upper)), configWith(entry(upper))},
        {"the matching entry inside a comment", configWith("<!--" + entry(oldHmac) + "-->" + entry(other)),
         configWith("<!--" + entry(oldHmac) + "-->" + entry(other))},
        {"an earlier matching entry, a later one counts", configWith(entry(oldHmac) + entry(other)),
         configWith(entry(oldHmac) + entry(other))},
        {"a later matching entry counts", configWith(entry(other) + entry(oldHmac)),
         configWith(entry(other) + entry(newHmac))},
        {"a later empty value does not count", configWith(entry(oldHmac) + entry("")),
         configWith(entry(newHmac) + entry(""))},
        {"value first, single quotes, open and close form",
         configWith("<GUIConfig value='" + oldHmac + "' name='shortcutsXmlHMAC'></GUIConfig>"),
         configWith("<GUIConfig value='" + newHmac + "' name='shortcutsXmlHMAC'></GUIConfig>")},
        {"not among the GUI settings", replacedOnce(configWith(""), "<FindHistory", entry(oldHmac) + "<FindHistory"),
         replacedOnce(configWith(""), "<FindHistory", entry(oldHmac) + "<FindHistory")},
        {"not well-formed", replacedOnce(trusted, "</GUIConfigs>", "</GUIConfig>"),
         replacedOnce(trusted, "</GUIConfigs>", "</GUIConfig>")},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const ConfigEdit edit = renewShortcutsTrust(r.config, oldHmac, newHmac);
        EXPECT_EQ(edit.text, r.expected);
        EXPECT_EQ(edit.changed, r.expected != r.config);
    }
}
