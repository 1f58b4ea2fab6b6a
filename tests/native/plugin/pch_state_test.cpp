// When the precompiled runtime header is used, made, left out or refused.
#include <gtest/gtest.h>

#include "pch_state.h"

using namespace qiv;

TEST(PchState, StampNamesTheHeaderAndTheCompiler) {
    const FileIdentity header{true, 12000, 133}, compiler{true, 900, 7};
    const std::string stamp = pchStamp(header, compiler);
    EXPECT_EQ(stamp, "logo.h 12000 133; g++.exe 900 7; -pipe -x c++-header");
    // Any change of either file gives another stamp.
    EXPECT_NE(pchStamp({true, 12000, 134}, compiler), stamp);
    EXPECT_NE(pchStamp({true, 12001, 133}, compiler), stamp);
    EXPECT_NE(pchStamp(header, {true, 901, 7}), stamp);
    EXPECT_NE(pchStamp(header, {true, 900, 8}), stamp);
    EXPECT_NE(pchStamp({false, 0, 0}, compiler), stamp);
}

TEST(PchState, DecisionTable) {
    const std::string now = "logo.h 1 2; g++.exe 3 4; -pipe -x c++-header";
    const std::string old = "logo.h 1 1; g++.exe 3 4; -pipe -x c++-header";
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
    };
    for (const Row& r : rows) EXPECT_EQ(decidePch(r.facts), r.action) << r.name;
}

TEST(PchState, TemporaryNamesAreNeverTheHeadersName) {
    const std::string gch = "C:\\npp\\Qiv\\logo.h.gch";
    EXPECT_EQ(pchTemporaryName(gch, 4242), "C:\\npp\\Qiv\\logo.h.gch.4242.part");
    EXPECT_NE(pchTemporaryName(gch, 1), pchTemporaryName(gch, 2));
}
