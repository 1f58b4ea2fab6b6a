#!/usr/bin/env bash
# editorkeys.exe keeps the editor's trust in shortcuts.xml: config.xml beside it holds the
# HMAC-SHA256 of the file's bytes keyed with the prefix's MachineGuid (computed here with
# Python's hmac, independently of the tool). Free and restore renew it where it vouched for
# the old bytes and leave it alone where it did not; restore gives back both files byte for
# byte; a shortcuts file that is not well-formed is refused with both files untouched.
#   editorkeys_trust.sh EDITORKEYS_EXE
TEST_NAME=editorkeys_trust
EXE=${1:?editorkeys.exe}
. "$(dirname "$0")/tools_test_lib.sh"

guid=$("$QIV_WINE" reg query 'HKLM\SOFTWARE\Microsoft\Cryptography' /v MachineGuid 2>/dev/null |
    tr -d '\r' | awk '$1 == "MachineGuid" { print $3 }')
[ -n "$guid" ] || { echo "$TEST_NAME: no MachineGuid in the prefix"; exit 1; }

# hmac_of FILE [KEY]: the editor's HMAC of the file's bytes.
hmac_of() {
    python3 -c 'import hmac, hashlib, sys; print(hmac.new(sys.argv[2].encode(), open(sys.argv[1], "rb").read(), hashlib.sha256).hexdigest())' \
        "$1" "${2:-$guid}"
}
write_config() {  # FILE VALUE: a config.xml as the editor writes it, with that HMAC value
    printf '%s\r\n' '<?xml version="1.0" encoding="UTF-8" ?>' '<NotepadPlus>' '    <GUIConfigs>' \
        '        <GUIConfig name="ToolBar" visible="yes">standard</GUIConfig>' \
        "        <GUIConfig name=\"shortcutsXmlHMAC\" value=\"$2\" />" \
        '        <GUIConfig name="TabBar" dragAndDrop="yes" />' '    </GUIConfigs>' '</NotepadPlus>' >"$1"
}
value_of() { sed -n 's/.*name="shortcutsXmlHMAC" value="\([^"]*\)".*/\1/p' "$1"; }

settings=$(c_folder qivtrust/settings)
keys=$settings/shortcuts.xml config=$settings/config.xml saved=$WINEPREFIX/drive_c/qivtrust/saved.txt
keys_win=$(win_of "$keys") saved_win=$(win_of "$saved")
# The user's entry for full screen in open/close form, followed by an entry of their own.
printf '%s\r\n' '<?xml version="1.0" encoding="UTF-8" ?>' '<NotepadPlus>' '    <InternalCommands>' \
    '        <Shortcut id="44032" Ctrl="yes" Alt="no" Shift="no" Key="122"></Shortcut>' \
    '        <Shortcut id="41001" Ctrl="yes" Alt="no" Shift="no" Key="78" />' '    </InternalCommands>' \
    '    <Macros />' '</NotepadPlus>' >"$WORK/shortcuts.original"

# setup CONFIG_VALUE: the user's files as before an installation.
setup() {
    cp "$WORK/shortcuts.original" "$keys"
    write_config "$config" "$1"
    cp "$config" "$WORK/config.before"
    rm -f "$saved"
}

# The editor vouched for the file: free renews the value, restore gives both files back.
setup "$(hmac_of "$WORK/shortcuts.original")"
run_tool "$EXE" free "$keys_win" "$saved_win"
check_eq "trusted: free's exit code" 0 "$status"
check_eq "trusted: the value after free is the HMAC of the new bytes" "$(hmac_of "$keys")" "$(value_of "$config")"
sed "s/$(hmac_of "$WORK/shortcuts.original")/$(value_of "$config")/" "$WORK/config.before" >"$WORK/config.expected"
same_file "trusted: config.xml otherwise kept" "$WORK/config.expected" "$config"
grep -q '<Shortcut id="41001" Ctrl="yes" Alt="no" Shift="no" Key="78" />' "$keys" && pass ||
    failed "the user's other entry was lost"
run_tool "$EXE" restore "$keys_win" "$saved_win"
check_eq "trusted: restore's exit code" 0 "$status"
same_file "trusted: shortcuts.xml restored byte for byte" "$WORK/shortcuts.original" "$keys"
same_file "trusted: config.xml restored byte for byte" "$WORK/config.before" "$config"

# Never vouched for what the editor did not trust: another file's HMAC, or the right
# bytes under another key.
echo other >"$WORK/other.bytes"
for row in "another file:$(hmac_of "$WORK/other.bytes")" \
           "another key:$(hmac_of "$WORK/shortcuts.original" 00000000-0000-0000-0000-000000000000)"; do
    setup "${row#*:}"
    run_tool "$EXE" free "$keys_win" "$saved_win"
    check_eq "${row%%:*}: free's exit code" 0 "$status"
    cmp -s "$WORK/shortcuts.original" "$keys" && failed "${row%%:*}: shortcuts.xml not changed" || pass
    same_file "${row%%:*}: config.xml untouched" "$WORK/config.before" "$config"
done

# A config without the entry stays as it is.
setup x
grep -v shortcutsXmlHMAC "$WORK/config.before" >"$config" && cp "$config" "$WORK/config.before"
run_tool "$EXE" free "$keys_win" "$saved_win"
check_eq "no entry: free's exit code" 0 "$status"
same_file "no entry: config.xml untouched" "$WORK/config.before" "$config"

# A shortcuts file that is not well-formed (an entry never closed): refused, nothing written.
setup "$(hmac_of "$WORK/shortcuts.original")"
sed 's|></Shortcut>|>|' "$WORK/shortcuts.original" >"$keys" && cp "$keys" "$WORK/shortcuts.broken"
write_config "$config" "$(hmac_of "$keys")" && cp "$config" "$WORK/config.before"
run_tool "$EXE" free "$keys_win" "$saved_win"
check_eq "not well-formed: free's exit code" 1 "$status"
same_file "not well-formed: shortcuts.xml untouched" "$WORK/shortcuts.broken" "$keys"
same_file "not well-formed: config.xml untouched" "$WORK/config.before" "$config"
[ -e "$saved" ] && failed "not well-formed: a saved file was written" || pass

finish
