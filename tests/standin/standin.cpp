// Stand-in for the product's application: records what it was started with
// (the parameter text behind its own name, its current directory, the time it
// began and the Windows family that it was told it runs on) and ends. The record goes to the file named by MARLUNE_RECORD, or
// to "standin-record.txt" in the current directory.
#include <windows.h>
#include <stdio.h>

static const char *ParametersOf(const char *commandLine)
{
    const char *p = commandLine;
    if (*p == '"') {
        p++;
        while (*p && *p != '"')
            p++;
        if (*p == '"')
            p++;
    } else {
        while (*p && *p != ' ' && *p != '\t')
            p++;
    }
    // The shell puts one blank between the program and its parameters.
    if (*p == ' ')
        p++;
    return p;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);

    char record[MAX_PATH] = "standin-record.txt";
    GetEnvironmentVariableA("MARLUNE_RECORD", record, sizeof(record));
    char partial[MAX_PATH + 8];
    snprintf(partial, sizeof(partial), "%s.part", record);

    char cwd[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(cwd), cwd);
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExA(&version);
    FILE *file = fopen(partial, "wb");
    if (file == NULL)
        return 1;
    fprintf(file, "params=%s\ncwd=%s\nstarted=%lld\nplatform=%lu\n",
            ParametersOf(GetCommandLineA()), cwd, (long long)counter.QuadPart,
            version.dwPlatformId);
    fclose(file);
    // Readers see the record whole or not at all.
    MoveFileExA(partial, record, MOVEFILE_REPLACE_EXISTING);
    return 0;
}
