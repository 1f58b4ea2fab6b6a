// When the precompiled runtime header is used, made, left out or refused, and what a make
// reports.
#include <gtest/gtest.h>

#include <random>

#include "pch_state.h"

using namespace qiv;

namespace {

// The checksum of a header's bytes, read as makepch reads them: its first and last blocks.
unsigned long long edgesOf(const std::string& file) {
    const size_t edge = file.size() < kPchEdgeBytes ? file.size() : static_cast<size_t>(kPchEdgeBytes);
    return pchEdgeChecksum(file.substr(0, edge), file.substr(static_cast<size_t>(pchTailOffset(file.size())), edge));
}

std::string randomBytes(size_t size) {
    std::mt19937 rng(7);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(rng());
    return bytes;
}

const FileIdentity kHeader{true, 12000, 133}, kCompiler{true, 900, 7};
const MadeHeader kMade{{true, 300000, 555}, 0x1234};

}  // namespace

TEST(PchState, StampChangesWithEachFileItNames) {
    const std::string stamp = pchStamp(kHeader, kCompiler, kMade);
    const struct {
        const char* name;
        std::string other;
    } rows[] = {
        {"logo.h written again", pchStamp({true, 12000, 134}, kCompiler, kMade)},
        {"logo.h of another size", pchStamp({true, 12001, 133}, kCompiler, kMade)},
        {"no logo.h", pchStamp({false, 0, 0}, kCompiler, kMade)},
        {"another compiler", pchStamp(kHeader, {true, 901, 7}, kMade)},
        {"the compiler written again", pchStamp(kHeader, {true, 900, 8}, kMade)},
        {"the header cut short", pchStamp(kHeader, kCompiler, {{true, 299999, 555}, 0x1234})},
        {"the header written again", pchStamp(kHeader, kCompiler, {{true, 300000, 556}, 0x1234})},
        {"the header's end bytes changed", pchStamp(kHeader, kCompiler, {{true, 300000, 555}, 0x1235})},
        {"no header", pchStamp(kHeader, kCompiler, {{false, 0, 0}, 0})},
    };
    for (const auto& r : rows) EXPECT_NE(r.other, stamp) << r.name;
    EXPECT_EQ(pchStamp(kHeader, kCompiler, kMade), stamp);
}

TEST(PchState, EdgeChecksumSeesAHeaderDamagedAtItsEnds) {
    const std::string file = randomBytes(300000);
    const unsigned long long made = edgesOf(file);
    EXPECT_EQ(edgesOf(std::string(file)), made);  // a copy of the same bytes still matches
    std::string zeroEnd = file, firstByte = file, lastByte = file;
    std::fill(zeroEnd.end() - 4096, zeroEnd.end(), '\0');
    firstByte[0] ^= 1;
    lastByte[lastByte.size() - 1] ^= 1;
    const struct {
        const char* name;
        std::string damaged;
    } rows[] = {
        {"cut short by a byte", file.substr(0, file.size() - 1)},
        {"cut short by half", file.substr(0, file.size() / 2)},
        {"its end filled with zeros (a copy that stopped)", zeroEnd},
        {"first byte changed", firstByte},
        {"last byte changed", lastByte},
        {"empty", ""},
    };
    for (const auto& r : rows) EXPECT_NE(edgesOf(r.damaged), made) << r.name;
    // A header smaller than one block: every byte counts.
    std::string small = file.substr(0, 100), changed = small;
    changed[50] ^= 1;
    EXPECT_NE(edgesOf(changed), edgesOf(small));
}

TEST(PchState, DecisionTable) {
    const std::string now = pchStamp(kHeader, kCompiler, kMade);
    const std::string old = pchStamp({true, 12000, 1}, kCompiler, kMade);
    // The header as it is now, after damage since its stamp was written.
    const std::string cutShort = pchStamp(kHeader, kCompiler, {{true, 150000, 555}, 0x1234});
    const std::string zeroEnd = pchStamp(kHeader, kCompiler, {{true, 300000, 555}, 0x9999});
    struct Row {
        const char* name;
        PchFacts facts;
        PchAction action;
    } rows[] = {
        {"current", {true, true, now, now, true}, PchAction::Use},
        {"current, read-only folder", {true, true, now, now, false}, PchAction::Use},
        {"missing", {true, false, "", now, true}, PchAction::Make},
        {"missing, read-only folder", {true, false, "", now, false}, PchAction::BuildSlow},
        {"stale (new logo.h or compiler)", {true, true, old, now, true}, PchAction::Make},
        {"stale, read-only folder", {true, true, old, now, false}, PchAction::Refuse},
        {"header without stamp", {true, true, "", now, true}, PchAction::Make},
        {"header without stamp, read-only", {true, true, "", now, false}, PchAction::Refuse},
        {"stamp without header", {true, false, now, now, true}, PchAction::Make},
        {"no compiler, nothing there", {false, false, "", now, true}, PchAction::BuildSlow},
        {"no compiler, a stale header", {false, true, old, now, true}, PchAction::RemoveStale},
        {"no compiler, stale, read-only", {false, true, old, now, false}, PchAction::Refuse},
        {"header cut short since", {true, true, now, cutShort, true}, PchAction::Make},
        {"header's end zeroed since", {true, true, now, zeroEnd, true}, PchAction::Make},
        {"header damaged, read-only folder", {true, true, now, cutShort, false}, PchAction::Refuse},
        {"header damaged, no compiler", {false, true, now, zeroEnd, true}, PchAction::RemoveStale},
    };
    for (const Row& r : rows) EXPECT_EQ(decidePch(r.facts), r.action) << r.name;
}

TEST(PchState, WhatAMakeReports) {
    struct Row {
        const char* name;
        PchMakeEnd end;
        int status;
    } rows[] = {
        {"made and renamed into place", {true, true, false, false}, 0},
        {"the old one held open or protected, not removable", {true, false, true, false}, 3},
        {"the old one replaced meanwhile by another maker's current one", {true, false, true, true}, 0},
        {"the old one removed, the new one not placed", {true, false, false, false}, 1},
        {"the compiler failed, the stale one removed", {false, false, false, false}, 1},
        {"the compiler failed, the stale one stays", {false, false, true, false}, 3},
        {"the compiler failed, a current one there", {false, false, true, true}, 0},
    };
    for (const Row& r : rows) EXPECT_EQ(pchMakeExitCode(r.end), r.status) << r.name;
}

TEST(PchState, TemporaryFilesAndTheirMakers) {
    const std::string gch = "C:\\npp\\Qiv\\logo.h.gch";
    EXPECT_EQ(pchTemporaryName(gch, 4242), "C:\\npp\\Qiv\\logo.h.gch.4242.part");
    EXPECT_NE(pchTemporaryName(gch, 1), pchTemporaryName(gch, 2));
    unsigned long owner = 0;
    ASSERT_TRUE(pchPartOwner("logo.h.gch", pchTemporaryName("logo.h.gch", 4294967295UL), owner));
    EXPECT_EQ(owner, 4294967295UL);

    const struct {
        const char* name;
        bool ours;
        unsigned long owner;
    } names[] = {
        {"logo.h.gch.4242.part", true, 4242}, {"logo.h.gch.stamp.17.part", true, 17},
        {"LOGO.H.GCH.99.PART", true, 99},     {"logo.h.gch", false, 0},
        {"logo.h.gch.stamp", false, 0},       {"logo.h.gch.part", false, 0},
        {"logo.h.gch..part", false, 0},       {"logo.h.gch.12a.part", false, 0},
        {"logo.h.gch.12.part.bak", false, 0}, {"logo.h.gch.4294967296.part", false, 0},
        {"other.h.gch.12.part", false, 0},
    };
    for (const auto& n : names) {
        unsigned long id = 0;
        EXPECT_EQ(pchPartOwner("logo.h.gch", n.name, id), n.ours) << n.name;
        if (n.ours) {
            EXPECT_EQ(id, n.owner) << n.name;
        }
    }

    const struct {
        bool running;
        const char* image;
        bool leftOver;
    } owners[] = {
        {false, "", true},
        {false, "C:\\npp\\Qiv\\tools\\makepch.exe", true},
        {true, "C:\\npp\\Qiv\\tools\\makepch.exe", false},
        {true, "D:\\N\\QIV\\TOOLS\\MAKEPCH.EXE", false},
        {true, "", false},
        {true, "C:\\Windows\\notepad.exe", true},
        {true, "C:\\x\\notmakepch.exe", true},
    };
    for (const auto& o : owners) EXPECT_EQ(pchPartLeftOver(o.running, o.image), o.leftOver) << o.running << o.image;
}
