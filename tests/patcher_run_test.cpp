// The patcher as an administrator uses it: the registry value written with
// reg.exe, the real patcher.exe run from a folder of update files, and its
// console output and its effects on a fixture installation checked.
// C:\windows\system32\xcopy.exe is replaced by the test tree's stand-in, which
// records its command line and copies as xcopy /s /v /y does; the test run's
// Wine loads it instead of its own xcopy (WINEDLLOVERRIDES xcopy.exe=n).
#include <gtest/gtest.h>
#include <windows.h>

#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "driver/driver.h"
#include "support.h"

namespace {

const char *kKey = "HKLM\\Software\\Marlune\\Marlune Services";

const char *kHelp =
    "\n-= Usage =-\n"
    "Original Name - PATCHER.EXE.  May be renamed as needed.\n\n"
    "This program copies updates from WZQ\\CustomConf into the Marlune directory.\n"
    "Make sure updates are in the correct folder paths.\n\n"
    "PATCHER.EXE displays this help when any argument is passed\n"
    "-----------------------------------------------------------\n\n";

const char *kNotInstalled =
    "\n\n-= ERROR =-\nUnable to locate Marlune for Windows!\n\n"
    "Marlune is not properly installed on your system.\n"
    "Please install Marlune for Windows prior to executing this program.\n\n\n\n"
    "Press any key to quit...\n";

// Each deletion pattern with a file it removes and a near miss it keeps.
const char *kDiagnostics[][2] = {
    {"101EnA.kqz", "101Ex.kqz"},  {"99Us1.kqz", "99U.kqz"},     {"MRLnA1.dat", "MRLA1.dat"},
    {"mrlnj.log", "MRLJn.log"},   {"MRLnK.txt", "MRLK.txt"},     {"MRLnMi2.bin", "MRLnMa.bin"},
    {"MRLnMod.cfg", "MRLnM.cfg"}, {"MRLnPr.x", "MRLnP.x"},       {"MRLnWin.ini", "MRLW.ini"},
    {"Std104a.kqz", "Std10.kqz"},
};

const char *kUpdateFiles[] = {"readme.txt", "Diagnostics\\MRLnA9.dat", "lib\\core.dll",
                              "lib\\sub\\deep.dat"};

class PatcherRun : public ::testing::Test {
protected:
    std::string root, update, outside, product, xcopyLog, output;

    void SetUp() override
    {
        char system[MAX_PATH];
        GetSystemDirectoryA(system, sizeof(system));
        ASSERT_TRUE(CopyTo(Join(BinDir(), "xcopy_standin.exe"), Join(system, "xcopy.exe")));

        root = MakeTempDir("patch");
        update = Join(root, "update");
        outside = Join(root, "outside");
        xcopyLog = Join(root, "xcopy.log");
        output = Join(root, "console.txt");
        SetEnvironmentVariableA("MARLUNE_XCOPY_LOG", xcopyLog.c_str());
        for (const std::string &dir : {update, outside, Join(update, "Diagnostics"),
                                       Join(update, "lib"), Join(update, "lib\\sub"),
                                       Join(update, "empty")}) {
            CreateDirectoryA(dir.c_str(), NULL);
        }
        ASSERT_TRUE(CopyTo(Join(BinDir(), "patcher.exe"), Join(update, "patcher.exe")));
        for (const char *file : kUpdateFiles)
            WriteText(Join(update, file), std::string("new ") + file);
        WriteText(Join(outside, "MRLnA1.dat"), "not in the product");
        DeleteValue();
    }
    void TearDown() override
    {
        DeleteValue();
        RemoveTree(root);
    }

    // An installation with its Diagnostics folder under the short name Diagno~1.
    void MakeProduct(const std::string &name)
    {
        product = Join(root, name);
        std::string diagnostics = Join(product, "Diagno~1");
        ASSERT_TRUE(CreateDirectoryA(product.c_str(), NULL));
        ASSERT_TRUE(CreateDirectoryA(diagnostics.c_str(), NULL));
        for (auto &pair : kDiagnostics) {
            WriteText(Join(diagnostics, pair[0]), "old");
            WriteText(Join(diagnostics, pair[1]), "kept");
        }
        WriteText(Join(diagnostics, "notes.doc"), "kept");
        WriteText(Join(product, "readme.txt"), "old readme");
        WriteText(Join(product, "Marlune.exe"), "program");
    }

    static DWORD Reg(const std::string &args)
    {
        RunOptions options;
        std::string exe = "C:\\windows\\system32\\reg.exe";
        DefaultRunOptions(&options, exe.c_str(), args.c_str());
        options.hideConsole = true;
        options.stdoutFile = "NUL";
        RunResult result;
        if (!RunProgram(&options, &result)) {
            ADD_FAILURE() << "reg " << args << ": error " << GetLastError();
            return (DWORD)-1;
        }
        return result.exitCode;
    }
    static void SetValue(const char *type, const std::string &data)
    {
        EXPECT_EQ(0u, Reg(std::string("add \"") + kKey + "\" /v ServicesPath /t " + type +
                          " /d \"" + data + "\" /f"));
    }
    static void DeleteValue() { Reg(std::string("delete \"") + kKey + "\" /f"); }

    DWORD RunPatcher(const std::string &args, const char *typedName = NULL)
    {
        std::string exe = Join(update, "patcher.exe");
        RunOptions options;
        DefaultRunOptions(&options, exe.c_str(), args.c_str());
        options.typedName = typedName;
        options.cwd = update.c_str();
        options.hideConsole = true;
        options.stdoutFile = output.c_str();
        RunResult result;
        EXPECT_TRUE(RunProgram(&options, &result)) << exe << ": error " << GetLastError();
        EXPECT_FALSE(result.timedOut);
        return result.exitCode;
    }
    // The console text as the user reads it: lines end in CR LF on the console.
    std::string Output()
    {
        std::string text = ReadText(output), lines;
        for (size_t i = 0; i < text.size(); i++) {
            if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
                lines += text[i];
        }
        return lines;
    }

    static std::string ShortPath(const std::string &path)
    {
        char out[MAX_PATH];
        DWORD length = GetShortPathNameA(path.c_str(), out, sizeof(out));
        return std::string(out, length);
    }
};

std::vector<std::string> Commands(const std::string &S, const std::string &P)
{
    std::vector<std::string> commands;
    commands.push_back("ren \"" + S + "\\Diagno~1\" \"Diagnostics\"");
    for (const char *pattern : {"101En*.kqz", "99Us*.kqz", "MRLnA*.*", "MRLnJ*.*", "MRLnK*.*",
                                "MRLnMi*.*", "MRLnMo*.*", "MRLnPr*.*", "MRLnW*.*", "Std104*.kqz"})
        commands.push_back("del \"" + S + "\\Diagnostics\\" + pattern + "\"");
    commands.push_back("%systemroot%\\system32\\xcopy \"" + P + "*.*\" \"" + S + "\\*.*\" /s /v /y");
    return commands;
}

// The installation after a run: Diagnostics renamed and cleaned, the update
// folder (the patcher included, its empty folder not) copied over it.
std::vector<std::string> PatchedTree()
{
    std::vector<std::string> tree = {"Diagnostics\\", "Diagnostics\\notes.doc", "Marlune.exe",
                                     "patcher.exe", "lib\\", "lib\\sub\\"};
    for (auto &pair : kDiagnostics)
        tree.push_back(std::string("Diagnostics\\") + pair[1]);
    for (const char *file : kUpdateFiles)
        tree.push_back(file);
    std::sort(tree.begin(), tree.end());
    return tree;
}

TEST_F(PatcherRun, UpdatesTheInstallationTheRegistryNames)
{
    for (const char *name : {"Marlune Prog", "R&D Marlune", "Marlune"}) {
        SCOPED_TRACE(name);
        MakeProduct(name);
        std::string value = Join(product, "Services");
        SetValue("REG_SZ", value);
        std::string S = ShortPath(product);
        if (strchr(name, ' ') != NULL) {
            EXPECT_NE(product, S);  // the commands must use the short form
        }
        std::vector<std::string> before = ListTree(outside), updateBefore = ListTree(update);
        DeleteFileA(xcopyLog.c_str());

        // Started as typed in a console in the update folder: "patcher".
        EXPECT_EQ(1u, RunPatcher("", strcmp(name, "Marlune") == 0 ? "patcher" : NULL));

        std::string expected = "\n\nMarlune registered program root location : " + value +
                               "\nMarlune directory : " + product + "\n\n";
        std::vector<std::string> commands = Commands(S, update + "\\");
        for (const std::string &command : commands)
            expected += command + "\n";
        EXPECT_EQ(expected, Output());
        EXPECT_EQ(PatchedTree(), ListTree(product));
        EXPECT_EQ("new readme.txt", ReadText(Join(product, "readme.txt")));
        EXPECT_EQ(before, ListTree(outside));
        EXPECT_EQ(updateBefore, ListTree(update));
        // What the copy tool was handed, after the interpreter expanded %systemroot%.
        std::string copy = commands.back();
        copy.replace(0, strlen("%systemroot%"), "C:\\windows");
        EXPECT_EQ(copy + "\n", ReadText(xcopyLog));
        RemoveTree(product);
    }
}

TEST_F(PatcherRun, AnyArgumentPrintsTheHelpAndChangesNothing)
{
    MakeProduct("Marlune");
    SetValue("REG_SZ", Join(product, "Services"));
    std::vector<std::string> before = ListTree(product);
    for (const char *args : {"x", "/?", "-h more words"}) {
        SCOPED_TRACE(args);
        EXPECT_EQ(0u, RunPatcher(args));
        EXPECT_EQ(kHelp, Output());
        EXPECT_EQ(before, ListTree(product));
        EXPECT_FALSE(Exists(xcopyLog));
    }
}

TEST_F(PatcherRun, WithoutAUsableValueTheProductIsNotInstalled)
{
    MakeProduct("Marlune");
    std::vector<std::string> before = ListTree(product);
    struct Case {
        const char *what;
        const char *type;  // null: no key at all
        std::string data;
    } cases[] = {
        {"key missing", NULL, ""},
        {"no backslash", "REG_SZ", "MarluneServices"},
        {"longer than a path", "REG_SZ", Join(product, std::string(270, 's'))},
        {"fills the buffer without terminator", "REG_BINARY", std::string(520, '4')},
        {"a number, not a path", "REG_DWORD", "7"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        DeleteValue();
        if (c.type != NULL)
            SetValue(c.type, c.data);
        EXPECT_EQ(1u, RunPatcher(""));
        EXPECT_EQ(kNotInstalled, Output());
        EXPECT_EQ(before, ListTree(product));
    }
    // The key is there, the value is not.
    EXPECT_EQ(0u, Reg(std::string("add \"") + kKey + "\" /v Other /d x /f"));
    EXPECT_EQ(1u, RunPatcher(""));
    EXPECT_EQ(kNotInstalled, Output());
    EXPECT_FALSE(Exists(xcopyLog));
}

TEST_F(PatcherRun, AValueLongerThan128BytesStillWorks)
{
    std::string name = "Marlune " + std::string(150, 'L');
    MakeProduct(name);
    std::string value = Join(product, "Services");
    ASSERT_GT(value.size(), 128u);
    SetValue("REG_SZ", value);
    EXPECT_EQ(1u, RunPatcher(""));
    EXPECT_EQ(PatchedTree(), ListTree(product));
}

TEST_F(PatcherRun, AnExpandableValueIsTakenUnexpanded)
{
    MakeProduct("Marlune");
    SetEnvironmentVariableA("MRLROOT", root.c_str());  // expanded, the value would be found
    SetValue("REG_EXPAND_SZ", "%MRLROOT%\\Marlune\\Services");
    EXPECT_EQ(1u, RunPatcher(""));
    EXPECT_EQ("\n\nMarlune registered program root location : %MRLROOT%\\Marlune\\Services\n"
              "Marlune directory : %MRLROOT%\\Marlune\n\n"
              "\n-= ERROR =-\nUnable to locate %MRLROOT%\\Marlune\n"
              "Please re-install Marlune for Windows prior to running this program.\n\n"
              "Press any key to quit...\n",
              Output());
    EXPECT_TRUE(Exists(Join(product, "Diagno~1")));
}

TEST_F(PatcherRun, PathsTheInterpreterWouldChangeAreRefused)
{
    MakeProduct("100%Marlune");
    std::vector<std::string> before = ListTree(product);
    SetValue("REG_SZ", Join(product, "Services"));
    EXPECT_EQ(1u, RunPatcher(""));
    std::string text = Output();
    EXPECT_NE(std::string::npos, text.find("holds % or \", which the command interpreter would change:\n" + product + "\n"));
    EXPECT_NE(std::string::npos, text.find("No update has been made."));
    EXPECT_EQ(before, ListTree(product));
    EXPECT_FALSE(Exists(xcopyLog));
}

TEST_F(PatcherRun, AMissingProductDirectoryRunsNoCommand)
{
    std::string gone = Join(root, "Gone");
    SetValue("REG_SZ", Join(gone, "Services"));
    EXPECT_EQ(1u, RunPatcher(""));
    std::string text = Output();
    EXPECT_NE(std::string::npos, text.find("\n-= ERROR =-\nUnable to locate " + gone + "\n"));
    EXPECT_EQ(std::string::npos, text.find("ren "));
    EXPECT_FALSE(Exists(xcopyLog));
}

TEST_F(PatcherRun, FailingCommandsDoNotStopTheCopy)
{
    // No Diagno~1 folder: the rename and every deletion fail.
    product = Join(root, "Bare");
    ASSERT_TRUE(CreateDirectoryA(product.c_str(), NULL));
    SetValue("REG_SZ", Join(product, "Services"));
    EXPECT_EQ(1u, RunPatcher(""));
    std::string text = Output();
    size_t at = 0;
    for (const std::string &command : Commands(ShortPath(product), update + "\\")) {
        at = text.find(command + "\n", at);
        EXPECT_NE(std::string::npos, at) << command;
    }
    EXPECT_TRUE(Exists(Join(product, "lib\\sub\\deep.dat")));
    EXPECT_TRUE(Exists(Join(product, "Diagnostics\\MRLnA9.dat")));
}

}  // namespace
