// The patcher's console services, each checked by console_check on a fresh
// hidden console: clearing blanks the buffer and homes the cursor and leaves
// output that is no console alone; waiting takes one key on a console and
// returns at once without console input.
#include <gtest/gtest.h>

#include <string>

#include "driver/driver.h"
#include "support.h"

namespace {

DWORD Check(const char *name)
{
    std::string exe = Join(BinDir(), "console_check.exe");
    RunOptions options;
    DefaultRunOptions(&options, exe.c_str(), name);
    options.hideConsole = true;  // a console of its own, without a window
    options.timeoutMs = 20000;
    RunResult result;
    EXPECT_TRUE(RunProgram(&options, &result));
    EXPECT_FALSE(result.timedOut);
    return result.exitCode;
}

TEST(Console, ClearingBlanksTheBufferAndHomesTheCursor) { EXPECT_EQ(0u, Check("clear")); }
TEST(Console, ClearingOutputThatIsNoConsoleDoesNothing) { EXPECT_EQ(0u, Check("clear-no-console")); }
TEST(Console, WaitingForAKeyTakesOneKey) { EXPECT_EQ(0u, Check("key")); }
TEST(Console, WaitingWithoutConsoleInputReturnsAtOnce) { EXPECT_EQ(0u, Check("no-console-input")); }

}  // namespace
