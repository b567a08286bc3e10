// The launcher's text handling, in-process: the /INI: option, line reading
// with the administrator flag, the INI path beside the program and the
// working-directory rule.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <string>

#include "inifile.h"
#include "support.h"

namespace {

struct OptionCase {
    const char *text;
    const char *expected;  // "" = no file named
};

TEST(ExtractIniOption, NamesTheFileOrNothing)
{
    const OptionCase cases[] = {
        {"/INI:C:\\cfg\\a.ini /x", "C:\\cfg\\a.ini"},
        {"-q /INI:\"C:\\My Files\\a.ini\" -v", "C:\\My Files\\a.ini"},
        {"/INI:\"C:\\My Files\\a.ini -v", "C:\\My Files\\a.ini -v"},  // quote never closed
        {"/INI:a.ini", "a.ini"},
        {"x/INI:a.ini", "a.ini"},               // found anywhere, not only after a blank
        {"/INI:a\tb.ini c", "a\tb.ini"},         // only the space ends a plain path
        {"/INI:a.ini /INI:b.ini", "a.ini"},      // the first occurrence counts
        {"/ini:a.ini", ""},                      // case-sensitive
        {"/INI:", ""},
        {"/INI:\"\"", ""},
        {"/INI: a.ini", ""},                     // a blank right behind the option
        {"a.ini", ""},
        {"", ""},
    };
    for (const OptionCase &c : cases) {
        SCOPED_TRACE(c.text);
        char path[LAUNCH_PATH_SIZE] = "junk";
        bool named = ExtractIniOption(c.text, "/INI:", path, sizeof(path));
        EXPECT_STREQ(c.expected, path);
        EXPECT_EQ(c.expected[0] != '\0', named);
    }
}

TEST(ExtractIniOption, APathThatDoesNotFitNamesNothing)
{
    std::string fits(LAUNCH_PATH_SIZE - 1, 'a');
    std::string tooLong(LAUNCH_PATH_SIZE, 'a');
    char path[LAUNCH_PATH_SIZE];

    EXPECT_TRUE(ExtractIniOption(("/INI:" + fits).c_str(), "/INI:", path, sizeof(path)));
    EXPECT_EQ(fits, path);
    EXPECT_FALSE(ExtractIniOption(("/INI:" + tooLong + " /x").c_str(), "/INI:", path,
                                  sizeof(path)));
    EXPECT_STREQ("", path);
    EXPECT_FALSE(ExtractIniOption(("/INI:\"" + tooLong + "\"").c_str(), "/INI:", path,
                                  sizeof(path)));
    EXPECT_STREQ("", path);
}

TEST(StripNewline, CutsAtTheFirstLineFeed)
{
    const char *cases[][2] = {
        {"abc\n", "abc"}, {"a\nb\n", "a"}, {"\n", ""}, {"abc", "abc"}, {"", ""},
        {"abc\r", "abc\r"},  // text mode has already turned CR LF into LF
    };
    for (auto &c : cases) {
        char line[16];
        strcpy(line, c[0]);
        StripNewline(line);
        EXPECT_STREQ(c[1], line) << "input " << c[0];
    }
}

struct Lines {
    std::string workdir, program, params;
};

Lines ReadFrom(const std::string &content, const char *flag)
{
    static const std::string dir = MakeTempDir("initext");
    std::string path = Join(dir, "lines.ini");
    EXPECT_TRUE(WriteText(path, content));
    FILE *file = fopen(path.c_str(), "rb");
    // Junk in the buffers shows any line that is not written.
    char workdir[INI_LINE_SIZE], program[INI_LINE_SIZE], params[INI_LINE_SIZE];
    memset(workdir, 'j', sizeof(workdir));
    memset(program, 'j', sizeof(program));
    memset(params, 'j', sizeof(params));
    ReadIniLines(file, flag, workdir, program, params);
    fclose(file);
    DeleteFileA(path.c_str());
    return Lines{workdir, program, params};
}

TEST(ReadIniLines, ReadsThreeLinesWithTheFlagInFront)
{
    struct Case {
        const char *content;
        const char *flag;
        Lines expected;
    } cases[] = {
        {".\napp.exe\n-a -b\n", "", {".", "app.exe", "-a -b"}},
        {".\napp.exe\n-a -b\n", kAdminFlag, {".", "app.exe", "-Dmrlninc.error=ADMIN -a -b"}},
        {".\napp.exe\n-a -b\nfourth\n", "", {".", "app.exe", "-a -b"}},
        {"dir\r\nprog\r\nargs\r\n", "", {"dir\r", "prog\r", "args\r"}},  // binary read here
        {".\napp.exe", "", {".", "app.exe", ""}},
        {".\napp.exe\n", kAdminFlag, {".", "app.exe", "-Dmrlninc.error=ADMIN "}},
        {".\n", "", {".", "", ""}},
        {"", "", {"", "", ""}},
        {"", kAdminFlag, {"", "", "-Dmrlninc.error=ADMIN "}},
        {"\n\n\n", "", {"", "", ""}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.content);
        Lines got = ReadFrom(c.content, c.flag);
        EXPECT_EQ(c.expected.workdir, got.workdir);
        EXPECT_EQ(c.expected.program, got.program);
        EXPECT_EQ(c.expected.params, got.params);
    }
}

TEST(ReadIniLines, LongLinesAreSplitAndLineThreeIsCutBehindTheFlag)
{
    std::string longLine(1500, 'x');
    Lines split = ReadFrom(longLine + "\nprog\nargs\n", "");
    EXPECT_EQ(std::string(999, 'x'), split.workdir);
    EXPECT_EQ(std::string(501, 'x'), split.program);  // the rest is the next line
    EXPECT_EQ("prog", split.params);

    Lines plain = ReadFrom(".\nprog\n" + longLine + "\n", "");
    EXPECT_EQ(std::string(999, 'x'), plain.params);

    Lines flagged = ReadFrom(".\nprog\n" + longLine + "\n", kAdminFlag);
    EXPECT_EQ(std::string(kAdminFlag) + std::string(999 - 22, 'x'), flagged.params);
}

TEST(IniPathFromModule, ReplacesTheLastThreeCharacters)
{
    char path[LAUNCH_PATH_SIZE] = "C:\\Apps\\start.exe";
    EXPECT_TRUE(IniPathFromModule(path, strlen(path), sizeof(path)));
    EXPECT_STREQ("C:\\Apps\\start.ini", path);

    char odd[LAUNCH_PATH_SIZE] = "C:\\Apps\\start";  // no extension: still three characters
    EXPECT_TRUE(IniPathFromModule(odd, strlen(odd), sizeof(odd)));
    EXPECT_STREQ("C:\\Apps\\stini", odd);
}

TEST(IniPathFromModule, AnUnknownOrCutPathIsNotUsed)
{
    char path[LAUNCH_PATH_SIZE];
    memset(path, 'a', sizeof(path));  // as a cut path is left on older systems
    EXPECT_FALSE(IniPathFromModule(path, sizeof(path), sizeof(path)));
    EXPECT_FALSE(IniPathFromModule(path, 0, sizeof(path)));
    char shortPath[8] = "ab";
    EXPECT_FALSE(IniPathFromModule(shortPath, 2, sizeof(shortPath)));
    EXPECT_STREQ("ab", shortPath);
}

TEST(WorkingDirectoryFor, DotMeansTheLaunchersFolder)
{
    const char *cases[][4] = {
        // line 1, drive, directory, target
        {".", "C:", "\\Apps\\", "C:\\Apps"},
        {".", "C:", "\\", "C:\\"},               // the root itself, not C:'s current directory
        {".", "D:", "\\A b\\c d\\", "D:\\A b\\c d"},
        {".", "", "", "."},                      // folder unknown: left as it is
        {".", "C:", "", "."},
        {".", "", "\\\\srv\\share\\", "."},
        {". ", "C:", "\\Apps\\", ". "},           // not the special value
        {"..", "C:", "\\Apps\\", ".."},
        {"D:\\Work", "C:", "\\Apps\\", "D:\\Work"},
        {"", "C:", "\\Apps\\", ""},
    };
    for (auto &c : cases) {
        char target[INI_LINE_SIZE] = "junk";
        EXPECT_TRUE(WorkingDirectoryFor(c[0], c[1], c[2], target, sizeof(target)));
        EXPECT_STREQ(c[3], target) << "line 1 '" << c[0] << "' drive " << c[1] << " dir " << c[2];
    }
}

TEST(CopyText, RefusesWhatDoesNotFit)
{
    char small[4] = "old";
    EXPECT_TRUE(CopyText(small, sizeof(small), "abc"));
    EXPECT_STREQ("abc", small);
    EXPECT_FALSE(CopyText(small, sizeof(small), "abcd"));
    EXPECT_STREQ("", small);
}

}  // namespace
