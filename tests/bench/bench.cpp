// Times what a user feels.
// Launcher: from starting it until the configured program is running (the
// stand-in records its own start), against a batch file doing the same job and
// a minimal program that only calls ShellExecuteA; also the launcher's whole run.
// Patcher: its whole run on a fixture installation, against the twelve
// commands each in a command interpreter of its own (the floor of a design
// that starts one interpreter per command) and one batch file running all
// twelve in a single interpreter.
//   bench [RUNS]
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "commands.h"
#include "driver/driver.h"
#include "support.h"

namespace {

struct Timing {
    double toProgram, whole;
};

// Runs a command line to its end, its output going nowhere; the time it took
// in milliseconds, or -1.
double RunToEnd(const std::string &commandLine)
{
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), NULL, TRUE};
    HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             &inherit, OPEN_EXISTING, 0, NULL);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
    PROCESS_INFORMATION process;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    double begin = NowMs();
    if (!CreateProcessA(NULL, line.data(), NULL, NULL, TRUE, CREATE_NO_WINDOW, NULL, NULL,
                        &startup, &process)) {
        CloseHandle(nul);
        return -1;
    }
    WaitForSingleObject(process.hProcess, 60000);
    double took = NowMs() - begin;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(nul);
    return took;
}

bool Once(const std::string &commandLine, const std::string &record, Timing *timing)
{
    DeleteFileA(record.c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    double begin = NowMs();
    if (!CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL, NULL,
                        &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, 30000);
    timing->whole = NowMs() - begin;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    std::string started = RecordValue(record, "started", 10000);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    timing->toProgram = atof(started.c_str()) * 1000.0 / (double)frequency.QuadPart - begin;
    return started[0] != '<';
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A product whose Diagnostics folder still has its short name, with a file
// for each deletion.
void MakeProduct(const std::string &product)
{
    RemoveTree(product);
    CreateDirectoryA(product.c_str(), NULL);
    std::string diagnostics = Join(product, "Diagno~1");
    CreateDirectoryA(diagnostics.c_str(), NULL);
    for (const char *name : {"101EnA.kqz", "99Us1.kqz", "MRLnA1.dat", "MRLnJ.log", "MRLnK.txt",
                             "MRLnMi.bin", "MRLnMo.cfg", "MRLnPr.x", "MRLnW.ini", "Std104.kqz",
                             "keep.txt"})
        WriteText(Join(diagnostics, name), "old");
}

int BenchPatcher(int runs)
{
    std::string dir = MakeTempDir("patchbench");
    std::string product = Join(dir, "Marlune Prog"), update = Join(dir, "update");
    CreateDirectoryA(update.c_str(), NULL);
    CreateDirectoryA(Join(update, "lib").c_str(), NULL);
    WriteText(Join(update, "readme.txt"), "new");
    WriteText(Join(update, "lib\\core.dll"), "new");
    CopyTo(Join(BinDir(), "patcher.exe"), Join(update, "patcher.exe"));
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof(system));
    CopyTo(Join(BinDir(), "xcopy_standin.exe"), Join(system, "xcopy.exe"));
    MakeProduct(product);

    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Marlune\\Marlune Services", 0, NULL, 0,
                    KEY_SET_VALUE, NULL, &key, NULL);
    std::string value = Join(product, "Services");
    RegSetValueExA(key, "ServicesPath", 0, REG_SZ, (const BYTE *)value.c_str(),
                   (DWORD)value.size() + 1);
    RegCloseKey(key);

    char shortDir[MAX_PATH];
    GetShortPathNameA(product.c_str(), shortDir, sizeof(shortDir));
    std::vector<std::string> commands;
    std::string batch = "@echo off\r\n";
    for (int i = 0; i < COMMAND_COUNT; i++) {
        char command[COMMAND_SIZE];
        BuildCommand(i, shortDir, (update + "\\").c_str(), command, sizeof(command));
        commands.push_back(command);
        batch += std::string(command) + "\r\n";
    }
    std::string batchFile = Join(dir, "update.bat");
    WriteText(batchFile, batch);

    std::vector<double> patcher, separate, single;
    for (int run = 0; run < runs + 1; run++) {
        MakeProduct(product);
        double a = RunToEnd("\"" + Join(update, "patcher.exe") + "\"");
        MakeProduct(product);
        double b = 0;
        for (const std::string &command : commands)
            b += RunToEnd("cmd /c " + command);
        MakeProduct(product);
        double c = RunToEnd("cmd /c \"" + batchFile + "\"");
        if (a < 0 || b < 0 || c < 0) {
            printf("patcher: a run could not be started\n");
            return 1;
        }
        if (run > 0) {
            patcher.push_back(a);
            separate.push_back(b);
            single.push_back(c);
        }
    }
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Marlune\\Marlune Services");
    RemoveTree(dir);

    printf("\nmedian of %d runs            whole run\n", runs);
    printf("  %-24s %8.1f ms\n", "patcher", Median(patcher));
    printf("  %-24s %8.1f ms\n", "12 interpreters", Median(separate));
    printf("  %-24s %8.1f ms\n", "one batch file", Median(single));
    printf("patcher / 12 interpreters = %.2fx (target at most 1.10x)\n",
           Median(patcher) / Median(separate));
    printf("patcher / one batch file  = %.2fx\n", Median(patcher) / Median(single));
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    int runs = argc > 1 ? atoi(argv[1]) : 15;
    std::string dir = MakeTempDir("bench");
    std::string record = Join(dir, "record.txt");
    SetEnvironmentVariableA("MARLUNE_RECORD", record.c_str());
    CopyTo(Join(BinDir(), "launcher.exe"), Join(dir, "start.exe"));
    CopyTo(Join(BinDir(), "minimal.exe"), Join(dir, "minimal.exe"));
    CopyTo(Join(BinDir(), "standin.exe"), Join(dir, "app.exe"));
    WriteText(Join(dir, "start.ini"), ".\napp.exe\n-bench 1\n");
    WriteText(Join(dir, "start.bat"), "@cd /d \"" + dir + "\"\r\n@start \"\" app.exe -bench 1\r\n");

    struct Way {
        const char *name;
        std::string commandLine;
        std::vector<double> toProgram, whole;
    } ways[] = {
        {"launcher", "\"" + Join(dir, "start.exe") + "\"", {}, {}},
        {"batch file", "cmd /c \"" + Join(dir, "start.bat") + "\"", {}, {}},
        {"minimal ShellExecuteA", "\"" + Join(dir, "minimal.exe") + "\"", {}, {}},
    };
    for (int run = 0; run < runs + 1; run++) {
        // Each round starts with another way, so that none always follows the same.
        for (int k = 0; k < 3; k++) {
            Way &way = ways[(run + k) % 3];
            Timing timing;
            if (!Once(way.commandLine, record, &timing)) {
                printf("%s: the program was not started\n", way.name);
                return 1;
            }
            if (run > 0) {  // the first round only warms the caches
                way.toProgram.push_back(timing.toProgram);
                way.whole.push_back(timing.whole);
            }
        }
    }
    RemoveTree(dir);

    printf("median of %d runs            to program   whole run\n", runs);
    for (Way &way : ways)
        printf("  %-24s %8.1f ms  %8.1f ms\n", way.name, Median(way.toProgram), Median(way.whole));
    double launcher = Median(ways[0].toProgram), batch = Median(ways[1].toProgram),
           minimal = Median(ways[2].toProgram);
    printf("time to program: launcher / minimal = %.2fx (target at most 1.10x)\n",
           launcher / minimal);
    printf("                 launcher / batch   = %.2fx, minimal / batch = %.2fx\n",
           launcher / batch, minimal / batch);
    return BenchPatcher(runs);
}
