// The short form of the product directory, in-process, and the whole-path
// stand-in for file systems without short names.
#include <gtest/gtest.h>
#include <windows.h>

#include <string.h>

#include <string>

#include "shortpath.h"
#include "support.h"

namespace {

class ShortPath : public ::testing::Test {
protected:
    std::string dir, spaced, file;
    void SetUp() override
    {
        dir = MakeTempDir("short");
        spaced = Join(dir, "Marlune for Windows");
        file = Join(dir, "plain.txt");
        CreateDirectoryA(spaced.c_str(), NULL);
        WriteText(file, "x");
    }
    void TearDown() override { RemoveTree(dir); }
};

TEST_F(ShortPath, GivesTheWholeDirectoryInShortForm)
{
    char out[MAX_PATH];
    ASSERT_EQ(SHORT_PATH_OK, ShortPathOf(spaced.c_str(), out, sizeof(out)));
    EXPECT_EQ(nullptr, strchr(out, ' '));
    // The whole path, not only its last part: it still names the directory.
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesA(out) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(0, _strnicmp(out, "C:\\", 3));

    EXPECT_EQ(SHORT_PATH_NONE, ShortPathOf(Join(dir, "gone").c_str(), out, sizeof(out)));
    char small[8] = "junk";
    EXPECT_EQ(SHORT_PATH_TOO_LONG, ShortPathOf(spaced.c_str(), small, sizeof(small)));
    EXPECT_STREQ("", small);
}

TEST_F(ShortPath, WithoutShortNamesTheLongPathStandsIn)
{
    char out[MAX_PATH] = "junk";
    EXPECT_TRUE(WholePathIfDirectory(spaced.c_str(), out, sizeof(out)));
    EXPECT_EQ(spaced, out);
    EXPECT_FALSE(WholePathIfDirectory(file.c_str(), out, sizeof(out)));
    EXPECT_FALSE(WholePathIfDirectory(Join(dir, "gone").c_str(), out, sizeof(out)));
    char small[8];
    EXPECT_FALSE(WholePathIfDirectory(spaced.c_str(), small, sizeof(small)));
}

}  // namespace
