// The patcher's text handling, in-process: directory parts of paths, the
// check for characters the command interpreter changes inside quotes, and the
// twelve update commands.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "commands.h"

namespace {

TEST(DirectoryPart, CutsAtTheLastBackslash)
{
    struct Case {
        const char *path;
        bool withBackslash;
        const char *expected;  // null: no directory
    } cases[] = {
        {"C:\\Apps\\Prod\\Svc", false, "C:\\Apps\\Prod"},
        {"C:\\Apps\\Prod\\Svc", true, "C:\\Apps\\Prod\\"},
        {"C:\\Upd\\patcher.exe", true, "C:\\Upd\\"},
        {"C:\\Svc", false, "C:"},
        {"\\Svc", false, ""},
        {"C:\\Prod\\", false, "C:\\Prod"},
        {"Svc", false, NULL},
        {"", true, NULL},
    };
    for (const Case &c : cases) {
        char out[PATCH_PATH_SIZE] = "junk";
        bool found = DirectoryPart(c.path, c.withBackslash, out, sizeof(out));
        EXPECT_EQ(c.expected != NULL, found) << c.path;
        EXPECT_STREQ(c.expected ? c.expected : "", out) << c.path;
    }
}

TEST(DirectoryPart, APartThatDoesNotFitIsNoDirectory)
{
    std::string path = std::string(10, 'a') + "\\b";
    char out[11];
    EXPECT_TRUE(DirectoryPart(path.c_str(), false, out, sizeof(out)));
    EXPECT_FALSE(DirectoryPart(path.c_str(), true, out, sizeof(out)));
    EXPECT_STREQ("", out);
}

TEST(SafeInQuotes, RefusesPercentAndQuote)
{
    EXPECT_TRUE(SafeInQuotes("C:\\Program Files\\R&D (x86)\\Marlune ^!"));
    EXPECT_FALSE(SafeInQuotes("C:\\100%\\Marlune"));
    EXPECT_FALSE(SafeInQuotes("C:\\%TEMP%"));
    EXPECT_FALSE(SafeInQuotes("C:\\a\"b"));
}

TEST(BuildCommand, TheTwelveCommandsInOrder)
{
    const char *S = "C:\\APPS~1\\PROD";
    const char *P = "D:\\Upd ates\\";
    const char *expected[COMMAND_COUNT] = {
        "ren \"C:\\APPS~1\\PROD\\Diagno~1\" \"Diagnostics\"",
        "del \"C:\\APPS~1\\PROD\\Diagnostics\\101En*.kqz\"",
        "del \"C:\\APPS~1\\PROD\\Diagnostics\\99Us*.kqz\"",
        "del \"C:\\APPS~1\\PROD\\Diagnostics\\MRLnA*.*\"",
        "del \"C:\\APPS~1\\PROD\\Diagnostics\\MRLnJ*.*\"",
        "del \"C:\\APPS~1\\PROD\\Diagnostics\\MRLnK*.*\"",
        "del \"C:\\APPS~1\\PROD\\Diagnostics\\MRLnMi*.*\"",
        "del \"C:\\APPS~1\\PROD\\Diagnostics\\MRLnMo*.*\"",
        "del \"C:\\APPS~1\\PROD\\Diagnostics\\MRLnPr*.*\"",
        "del \"C:\\APPS~1\\PROD\\Diagnostics\\MRLnW*.*\"",
        "del \"C:\\APPS~1\\PROD\\Diagnostics\\Std104*.kqz\"",
        // The destination is quoted like the source: short forms may hold "&".
        "%systemroot%\\system32\\xcopy \"D:\\Upd ates\\*.*\" \"C:\\APPS~1\\PROD\\*.*\" /s /v /y",
    };
    for (int i = 0; i < COMMAND_COUNT; i++) {
        char command[COMMAND_SIZE];
        EXPECT_TRUE(BuildCommand(i, S, P, command, sizeof(command)));
        EXPECT_STREQ(expected[i], command) << "command " << i + 1;
    }
    char command[COMMAND_SIZE] = "junk";
    EXPECT_FALSE(BuildCommand(COMMAND_COUNT, S, P, command, sizeof(command)));
    EXPECT_FALSE(BuildCommand(-1, S, P, command, sizeof(command)));
    EXPECT_STREQ("", command);
}

TEST(BuildCommand, LongestPathsFitAndOverflowIsRefused)
{
    std::string S(PATCH_PATH_SIZE - 1, 's');
    std::string P(PATCH_PATH_SIZE - 2, 'p');
    P += "\\";
    for (int i = 0; i < COMMAND_COUNT; i++) {
        char command[COMMAND_SIZE];
        EXPECT_TRUE(BuildCommand(i, S.c_str(), P.c_str(), command, sizeof(command))) << i;
    }
    char small[40];
    memset(small, 'x', sizeof(small));
    EXPECT_FALSE(BuildCommand(11, "C:\\P", "C:\\U\\", small, sizeof(small)));
    EXPECT_STREQ("", small);
    char exact[sizeof("ren \"C:\\P\\Diagno~1\" \"Diagnostics\"")];
    EXPECT_TRUE(BuildCommand(0, "C:\\P", "", exact, sizeof(exact)));
    EXPECT_FALSE(BuildCommand(0, "C:\\PX", "", exact, sizeof(exact)));
}

}  // namespace
