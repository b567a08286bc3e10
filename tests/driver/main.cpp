// driver: runs a program as a person would and tells what happened.
//   driver [--close] [--timeout MS] PROGRAM ARGS [DIRECTORY]
// ARGS is the whole text behind the program name ("" for none). --close closes
// the splash as soon as it is seen. Prints the message boxes answered, the
// splash seen and the exit status, and ends with the program's status.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "driver.h"

int main(int argc, char **argv)
{
    RunOptions options;
    DefaultRunOptions(&options, NULL, "");
    int i = 1;
    for (; i < argc && strncmp(argv[i], "--", 2) == 0; i++) {
        if (strcmp(argv[i], "--close") == 0)
            options.closeSplash = true;
        else if (strcmp(argv[i], "--timeout") == 0 && i + 1 < argc)
            options.timeoutMs = (DWORD)atoi(argv[++i]);
    }
    if (argc - i < 2) {
        fprintf(stderr, "usage: driver [--close] [--timeout MS] PROGRAM ARGS [DIRECTORY]\n");
        return 2;
    }
    options.exe = argv[i];
    options.args = argv[i + 1];
    options.cwd = argc - i > 2 ? argv[i + 2] : NULL;

    RunResult result;
    if (!RunProgram(&options, &result)) {
        printf("could not start %s (error %lu)\n", options.exe, GetLastError());
        return 2;
    }
    for (int b = 0; b < result.boxCount && b < MAX_BOXES; b++)
        printf("message box \"%s\": \"%s\" (answered OK)\n", result.boxes[b].caption,
               result.boxes[b].text);
    if (result.sawSplash)
        printf("splash %ldx%ld at (%ld,%ld) on a %dx%d screen\n",
               result.splash.right - result.splash.left, result.splash.bottom - result.splash.top,
               result.splash.left, result.splash.top, result.screenWidth, result.screenHeight);
    else
        printf("no splash shown\n");
    if (result.timedOut)
        printf("still running after %lu ms: ended by the driver\n", options.timeoutMs);
    printf("exit status %ld after %.1f s\n", (long)result.exitCode, result.elapsedMs / 1000.0);
    return (int)result.exitCode;
}
