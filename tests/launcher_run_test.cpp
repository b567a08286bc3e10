// The launcher as a person uses it: the real launcher.exe started with a
// command line in a folder, its message boxes read and answered, its splash
// looked at, and the stand-in application's record of what it was handed.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "driver/driver.h"
#include "support.h"

namespace {

const DWORD kNoIni = (DWORD)-1, kNoDirectory = (DWORD)-2, kNotStarted = (DWORD)-3;

class LauncherRun : public ::testing::Test {
protected:
    std::string app;        // the launcher's folder, with start.exe and app.exe
    std::string elsewhere;  // the current directory at start
    std::string record;     // what the stand-in application writes
    std::string launcher;

    void SetUp() override
    {
        app = MakeTempDir("app");
        elsewhere = MakeTempDir("cwd");
        ASSERT_FALSE(app.empty());
        launcher = Join(app, "start.exe");
        ASSERT_TRUE(CopyTo(Join(BinDir(), "launcher.exe"), launcher));
        ASSERT_TRUE(CopyTo(Join(BinDir(), "standin.exe"), Join(app, "app.exe")));
        record = Join(elsewhere, "record.txt");
        SetEnvironmentVariableA("MARLUNE_RECORD", record.c_str());
    }
    void TearDown() override
    {
        RemoveTree(app);
        RemoveTree(elsewhere);
    }

    RunResult Run(const std::string &args, bool closeSplash = true, const char *exe = NULL)
    {
        RunOptions options;
        DefaultRunOptions(&options, exe ? exe : launcher.c_str(), args.c_str());
        options.cwd = elsewhere.c_str();
        options.closeSplash = closeSplash;
        RunResult result;
        EXPECT_TRUE(RunProgram(&options, &result));
        EXPECT_FALSE(result.timedOut);
        return result;
    }
    std::string Started(const char *key) { return RecordValue(record, key, 5000); }
    bool AppStarted()
    {
        Sleep(300);  // the launcher does not wait for the application
        return Exists(record);
    }
};

void ExpectBox(const RunResult &result, const char *text, const char *caption)
{
    ASSERT_EQ(1, result.boxCount);
    EXPECT_STREQ(text, result.boxes[0].text);
    EXPECT_STREQ(caption, result.boxes[0].caption);
    EXPECT_EQ(1, result.boxes[0].buttons);  // OK only
    EXPECT_FALSE(result.boxes[0].hasIcon);
}

TEST_F(LauncherRun, ReadsTheIniBesideItAndStartsTheProgramInItsFolder)
{
    WriteText(Join(app, "start.ini"), ".\r\napp.exe\r\n-x \"a b\" c\r\n");
    WriteText(Join(elsewhere, "Mrlnw32.ini"), ".\r\nmissing.exe\r\n\r\n");  // not looked at

    RunResult result = Run("");
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_EQ(0, result.boxCount);
    EXPECT_FALSE(result.sawSplash);  // no Splash.bmp: ends at once
    EXPECT_LT(result.elapsedMs, 5000u);
    // Wine's user is an administrator: no flag.
    EXPECT_EQ("-x \"a b\" c", Started("params"));
    EXPECT_EQ(app, Started("cwd"));
    EXPECT_EQ("2", Started("platform"));  // VER_PLATFORM_WIN32_NT
}

TEST_F(LauncherRun, FallsBackToMrlnw32IniInTheStartDirectory)
{
    std::string work = Join(elsewhere, "work dir");
    CreateDirectoryA(work.c_str(), NULL);
    WriteText(Join(elsewhere, "Mrlnw32.ini"), work + "\n" + Join(app, "app.exe") + "\nfrom fallback\n");

    RunResult result = Run("");
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_EQ("from fallback", Started("params"));
    EXPECT_EQ(work, Started("cwd"));
}

TEST_F(LauncherRun, IniOptionNamesTheOnlyFileTried)
{
    std::string spaced = Join(app, "My Files");
    CreateDirectoryA(spaced.c_str(), NULL);
    std::string named = Join(spaced, "a.ini");
    WriteText(named, ".\n" + Join(app, "app.exe") + "\nnamed\n");
    // Present, so that a launcher that looked beside itself would succeed.
    WriteText(Join(app, "start.ini"), ".\napp.exe\nbeside\n");
    WriteText(Join(elsewhere, "Mrlnw32.ini"), ".\n" + Join(app, "app.exe") + "\nfallback\n");

    struct Case {
        std::string args;
        bool found;
    } cases[] = {
        {"/INI:" + Join(app, "start.ini") + " /x", true},
        {"-q /INI:\"" + named + "\" -v", true},
        {"/INI:\"" + named, true},  // quote never closed: to the end
        {"/ini:" + named, false},   // case-sensitive
        {"/INI:", false},
        {"/INI:\"\"", false},
        {"/x", false},              // a command line without the option
        {"/INI:" + Join(app, "none.ini"), false},
        {"/INI:" + Join(app, std::string(300, 'n') + ".ini"), false},  // longer than a path
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args);
        DeleteFileA(record.c_str());
        RunResult result = Run(c.args);
        if (c.found) {
            EXPECT_EQ(0u, result.exitCode);
            EXPECT_EQ(0, result.boxCount);
            EXPECT_NE("fallback", Started("params"));
        } else {
            EXPECT_EQ(kNoIni, result.exitCode);
            ExpectBox(result, "The INI file could not be found.", "Error Loading INI File");
            EXPECT_FALSE(AppStarted());
        }
    }
}

TEST_F(LauncherRun, DotFromACommandLineIniKeepsTheStartDirectory)
{
    std::string ini = Join(app, "cmd.ini");
    WriteText(ini, ".\n" + Join(app, "app.exe") + "\n\n");
    RunResult result = Run("/INI:" + ini);
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_EQ(elsewhere, Started("cwd"));
    EXPECT_EQ("", Started("params"));
}

TEST_F(LauncherRun, DotBesideALauncherInADriveRootIsThatRoot)
{
    char name[64];
    snprintf(name, sizeof(name), "C:\\mrl%lu.exe", GetCurrentProcessId());
    std::string rooted = name;
    std::string ini = rooted.substr(0, rooted.size() - 3) + "ini";
    ASSERT_TRUE(CopyTo(launcher, rooted));
    WriteText(ini, ".\n" + Join(app, "app.exe") + "\nroot\n");
    // The launcher starts in another folder of drive C, which "C:" alone would select.
    RunResult result = Run("", true, rooted.c_str());
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_EQ("C:\\", Started("cwd"));
    DeleteFileA(rooted.c_str());
    DeleteFileA(ini.c_str());
}

TEST_F(LauncherRun, EachFailureShowsItsMessageAndStatus)
{
    struct Case {
        const char *what;
        std::string ini;  // "" = no INI file at all
        DWORD status;
        const char *text, *caption;
    } cases[] = {
        {"no INI", "", kNoIni, "The INI file could not be found.", "Error Loading INI File"},
        {"missing directory", Join(app, "gone") + "\napp.exe\n\n", kNoDirectory,
         "The directory does not exist.", "Directory Not Found"},
        {"empty file", "\x01", kNoDirectory, "The directory does not exist.",
         "Directory Not Found"},
        {"missing program", ".\nmissing.exe\n-a\n", kNotStarted,
         "The application could not be started.", "Configuration Error"},
        {"only line 1", ".\n", kNotStarted, "The application could not be started.",
         "Configuration Error"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        std::string ini = Join(app, "start.ini");
        DeleteFileA(ini.c_str());
        DeleteFileA(record.c_str());
        if (!c.ini.empty())
            WriteText(ini, c.ini == "\x01" ? "" : c.ini);
        RunResult result = Run("");
        EXPECT_EQ(c.status, result.exitCode);
        ExpectBox(result, c.text, c.caption);
        EXPECT_FALSE(AppStarted());
    }
}

TEST_F(LauncherRun, DotFollowedByABlankIsNotTheLaunchersFolder)
{
    // Handed to the system as it stands, which ignores the trailing blank.
    WriteText(Join(app, "start.ini"), ". \n" + Join(app, "app.exe") + "\n\n");
    RunResult result = Run("");
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_EQ(elsewhere, Started("cwd"));
}

TEST_F(LauncherRun, AnIniOfTwoLinesGivesNoParameters)
{
    WriteText(Join(app, "start.ini"), ".\napp.exe");
    RunResult result = Run("");
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_EQ("", Started("params"));
}

TEST_F(LauncherRun, AnOverlongThirdLineIsCutAndTheRestIgnored)
{
    std::string third(1200, 'p');
    WriteText(Join(app, "start.ini"), ".\napp.exe\n" + third + "\nfourth line\n");
    RunResult result = Run("");
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_EQ(std::string(999, 'p'), Started("params"));
}

TEST_F(LauncherRun, SplashIsCentredAndClosingItEndsTheLauncher)
{
    WriteText(Join(app, "start.ini"), ".\napp.exe\n\n");
    ASSERT_TRUE(WriteBitmap(Join(app, "Splash.bmp"), 240, 130));
    RunResult result = Run("", true);
    EXPECT_EQ(0u, result.exitCode);
    ASSERT_TRUE(result.sawSplash);
    EXPECT_EQ(240, result.splash.right - result.splash.left);
    EXPECT_EQ(130, result.splash.bottom - result.splash.top);
    EXPECT_EQ((result.screenWidth - 240) / 2, result.splash.left);
    EXPECT_EQ((result.screenHeight - 130) / 2, result.splash.top);
    EXPECT_LT(result.elapsedMs, 8000u);  // well before the ten seconds
    EXPECT_EQ(app, Started("cwd"));
}

TEST_F(LauncherRun, SplashLargerThanTheScreenStillCentres)
{
    WriteText(Join(app, "start.ini"), ".\napp.exe\n\n");
    int width = GetSystemMetrics(SM_CXSCREEN) + 101;  // odd overhang: truncation shows
    ASSERT_TRUE(WriteBitmap(Join(app, "Splash.bmp"), width, 50));
    RunResult result = Run("", true);
    EXPECT_EQ(0u, result.exitCode);
    ASSERT_TRUE(result.sawSplash);
    EXPECT_EQ(-50, result.splash.left);  // (-101) / 2 truncates toward zero
}

TEST_F(LauncherRun, SplashEndsOnItsOwnAfterTenSeconds)
{
    WriteText(Join(app, "start.ini"), ".\napp.exe\n\n");
    ASSERT_TRUE(WriteBitmap(Join(app, "Splash.bmp"), 64, 64));
    RunResult result = Run("", false);
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_TRUE(result.sawSplash);
    EXPECT_GE(result.elapsedMs, 9800u);
    EXPECT_LT(result.elapsedMs, 16000u);
}

TEST_F(LauncherRun, AnUnreadableSplashIsNoFailure)
{
    WriteText(Join(app, "start.ini"), ".\napp.exe\n\n");
    WriteText(Join(app, "Splash.bmp"), "not a bitmap");
    RunResult result = Run("");
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_EQ(0, result.boxCount);
    EXPECT_FALSE(result.sawSplash);
    EXPECT_LT(result.elapsedMs, 5000u);
}

// Wine reports the non-NT family to the program names listed under
// HKCU\Software\Wine\AppDefaults with Version "win98".
void ReportWin98To(const char *program, bool on)
{
    std::string key = std::string("Software\\Wine\\AppDefaults\\") + program;
    if (!on) {
        RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
        return;
    }
    HKEY settings;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, NULL, 0,
                                             KEY_SET_VALUE, NULL, &settings, NULL));
    RegSetValueExA(settings, "Version", 0, REG_SZ, (const BYTE *)"win98", 6);
    RegCloseKey(settings);
}

TEST_F(LauncherRun, TheNonNTFamilyGetsNoFlag)
{
    std::string old = Join(app, "launch98.exe");
    ASSERT_TRUE(CopyTo(launcher, old));
    ASSERT_TRUE(CopyTo(Join(app, "app.exe"), Join(app, "app98.exe")));
    ReportWin98To("launch98.exe", true);
    ReportWin98To("app98.exe", true);
    WriteText(Join(app, "launch98.ini"), ".\napp98.exe\n-p 1\n");

    RunResult result = Run("", true, old.c_str());
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_EQ("-p 1", Started("params"));
    // The started program was told the same family as the launcher.
    EXPECT_EQ("1", Started("platform"));  // VER_PLATFORM_WIN32_WINDOWS
    ReportWin98To("launch98.exe", false);
    ReportWin98To("app98.exe", false);
}

}  // namespace
