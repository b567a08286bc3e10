// Times what a user feels: from starting a launcher until the configured
// program is running (the stand-in records its own start), for the launcher,
// a batch file doing the same job, and a minimal program that only calls
// ShellExecuteA; also the launcher's whole run.
//   bench [RUNS]
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "driver/driver.h"
#include "support.h"

namespace {

struct Timing {
    double toProgram, whole;
};

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
        for (Way &way : ways) {
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
    return 0;
}
