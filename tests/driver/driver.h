// Runs a program of ours the way a person would: starts it with a command line
// in a working directory, reads and answers each message box it shows, looks
// at its splash window, optionally closes it, and reports how it ended.
#ifndef TESTS_DRIVER_H
#define TESTS_DRIVER_H

#include <windows.h>

enum { MAX_BOXES = 4 };

struct RunOptions {
    const char *exe;          // full path of the program
    const char *args;         // text behind the program name; may be empty
    const char *typedName;    // the program name as the command line gives it; null: exe
    const char *cwd;          // working directory at start; null: the driver's
    DWORD timeoutMs;          // the program is killed after this long
    bool closeSplash;         // post WM_CLOSE to the splash once it is seen
    bool hideConsole;         // console programs: start without a console window
    const char *stdoutFile;   // console programs: standard output goes here
};

struct MessageBoxSeen {
    char caption[256];
    char text[1024];
    bool hasIcon;
    int buttons;              // push buttons in the box
};

struct RunResult {
    bool started;
    bool timedOut;
    DWORD exitCode;
    DWORD elapsedMs;          // start to end of the process
    int boxCount;
    MessageBoxSeen boxes[MAX_BOXES];
    bool sawSplash;
    RECT splash;              // the splash window as it was shown
    int screenWidth, screenHeight;
};

void DefaultRunOptions(RunOptions *options, const char *exe, const char *args);
bool RunProgram(const RunOptions *options, RunResult *result);

// The value of QueryPerformanceCounter in milliseconds; the same clock for
// every process of the machine.
double NowMs();

#endif
