// The replay script parser: what it accepts and how it refuses.
#include <gtest/gtest.h>

#include "Platform/Win32.h"
#include "tools/replay/Script.h"

using replay::EventKind;
using replay::ParseScript;
using replay::Script;

namespace {

std::string ErrorOf(const std::string& sText) {
    Script script;
    std::string sError;
    EXPECT_FALSE(ParseScript(sText, script, sError)) << sText;
    return sError;
}

}  // namespace

TEST(ReplayScript, ParsesEveryEventWithItsArgumentAndLine) {
    Script script;
    std::string sError;
    ASSERT_TRUE(ParseScript("# a game\n"
                            "\n"
                            "100 keydown right   # quarter\n"
                            "120 keyup right\n"
                            "150 lbuttondown\n"
                            "150 rbuttonup\n"
                            "151 mbuttondown\n"
                            "200 deactivate\n"
                            "300 activate\n"
                            "400 shot attract-1_a\n"
                            "500 end\n",
                            script, sError))
        << sError;
    ASSERT_EQ(script.vEvents.size(), 9u);
    EXPECT_TRUE(script.bHasShots);
    const auto& e = script.vEvents;
    EXPECT_EQ(e[0].dwTick, 100u);
    EXPECT_EQ(e[0].kind, EventKind::KeyDown);
    EXPECT_EQ(e[0].iArg, VK_RIGHT);
    EXPECT_EQ(e[0].iLine, 3);
    EXPECT_EQ(e[1].kind, EventKind::KeyUp);
    EXPECT_EQ(e[2].iArg, WM_LBUTTONDOWN);
    EXPECT_EQ(e[3].iArg, WM_RBUTTONUP);
    EXPECT_EQ(e[4].iArg, WM_MBUTTONDOWN);
    EXPECT_EQ(e[5].kind, EventKind::Deactivate);
    EXPECT_EQ(e[6].kind, EventKind::Activate);
    EXPECT_EQ(e[7].kind, EventKind::Shot);
    EXPECT_EQ(e[7].sName, "attract-1_a");
    EXPECT_EQ(e[8].kind, EventKind::End);
}

TEST(ReplayScript, KeysMapToTheirVirtualKeyCodes) {
    Script script;
    std::string sError;
    ASSERT_TRUE(ParseScript("0 keydown escape\n0 keydown left\n0 keydown up\n0 keydown down\n0 keydown right\n", script,
                            sError));
    std::vector<int> vKeys;
    for (const auto& e : script.vEvents) vKeys.push_back(e.iArg);
    EXPECT_EQ(vKeys, (std::vector<int>{VK_ESCAPE, VK_LEFT, VK_UP, VK_DOWN, VK_RIGHT}));
    EXPECT_FALSE(script.bHasShots);
}

TEST(ReplayScript, RefusesMalformedLinesNamingTheLine) {
    EXPECT_EQ(ErrorOf("10 keydown left\n5 keyup left\n"), "line 2: tick 5 is earlier than the one before");
    EXPECT_EQ(ErrorOf("abc end\n"), "line 1: bad tick 'abc'");
    EXPECT_EQ(ErrorOf("-5 end\n"), "line 1: bad tick '-5'");
    EXPECT_EQ(ErrorOf("99999999999 end\n"), "line 1: bad tick '99999999999'");
    EXPECT_EQ(ErrorOf("\n\n10 jump\n"), "line 3: unknown event 'jump'");
    EXPECT_EQ(ErrorOf("10 keydown space\n"), "line 1: unknown key 'space'");
    EXPECT_EQ(ErrorOf("10 keydown\n"), "line 1: keydown needs a key");
    EXPECT_EQ(ErrorOf("10 end now\n"), "line 1: end takes no argument");
    EXPECT_EQ(ErrorOf("10 keyup left extra\n"), "line 1: unexpected 'extra'");
    EXPECT_EQ(ErrorOf("10\n"), "line 1: missing event");
    EXPECT_EQ(ErrorOf("10 end\n20 keydown left\n"), "line 2: event after 'end'");
}

TEST(ReplayScript, ShotNamesAreLettersDigitsDashesAndUnderscores) {
    EXPECT_NE(ErrorOf("10 shot ../etc\n").find("line 1: shot needs a name"), std::string::npos);
    EXPECT_NE(ErrorOf("10 shot a/b\n").find("line 1"), std::string::npos);
    EXPECT_NE(ErrorOf("10 shot\n").find("line 1"), std::string::npos);
}

TEST(ReplayScript, EmptyAndCommentOnlyScriptsHaveNoEvents) {
    Script script;
    std::string sError;
    ASSERT_TRUE(ParseScript("", script, sError));
    EXPECT_TRUE(script.vEvents.empty());
    ASSERT_TRUE(ParseScript("# nothing\n   \n\t# more\n", script, sError));
    EXPECT_TRUE(script.vEvents.empty());
}
