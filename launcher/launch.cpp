// The launcher: reads its INI file, makes the configured working directory
// current, starts the configured program or document through the shell and
// shows the splash. Each failure is one message box and a negative status.
#include <windows.h>
#include <direct.h>
#include <stdio.h>
#include <stdlib.h>

#include "admin.h"
#include "inifile.h"
#include "splash.h"

enum {
    STATUS_NO_INI = -1,
    STATUS_NO_DIRECTORY = -2,
    STATUS_NOT_STARTED = -3
};

static int Fail(const char *text, const char *caption, int status)
{
    MessageBoxA(NULL, text, caption, MB_OK);
    return status;
}

// Where the launcher's own folder is unknown (INI named on the command line,
// module path not read), drive and dir stay empty.
static FILE *OpenIniFile(const char *commandLine, char *drive, char *dir)
{
    char path[LAUNCH_PATH_SIZE];
    if (commandLine[0] != '\0') {
        // A command line names the file or nothing: no other place is tried.
        if (!ExtractIniOption(commandLine, "/INI:", path, sizeof(path)))
            return NULL;
        return fopen(path, "rt");
    }

    char fname[LAUNCH_PATH_SIZE] = "";
    char ext[LAUNCH_PATH_SIZE] = "";
    DWORD length = GetModuleFileNameA(NULL, path, sizeof(path));
    if (length > 0 && length < sizeof(path))
        _splitpath(path, drive, dir, fname, ext);
    FILE *file = NULL;
    if (IniPathFromModule(path, length, sizeof(path)))
        file = fopen(path, "rt");
    if (file == NULL)
        file = fopen("Mrlnw32.ini", "rt");
    return file;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    (void)instance;
    (void)previous;
    (void)show;

    const char *flag = "";
    if (IsWindowsNT() && !IsUserAdmin())
        flag = kAdminFlag;

    char drive[LAUNCH_PATH_SIZE] = "";
    char dir[LAUNCH_PATH_SIZE] = "";
    FILE *ini = OpenIniFile(commandLine, drive, dir);
    if (ini == NULL)
        return Fail("The INI file could not be found.", "Error Loading INI File",
                    STATUS_NO_INI);

    char workdir[INI_LINE_SIZE] = "";
    char program[INI_LINE_SIZE] = "";
    char params[INI_LINE_SIZE] = "";
    ReadIniLines(ini, flag, workdir, program, params);

    char target[INI_LINE_SIZE];
    if (!WorkingDirectoryFor(workdir, drive, dir, target, sizeof(target)) ||
        target[0] == '\0' || _chdir(target) != 0)
        return Fail("The directory does not exist.", "Directory Not Found",
                    STATUS_NO_DIRECTORY);

    char current[INI_LINE_SIZE] = "";
    if (_getcwd(current, sizeof(current)) == NULL)
        current[0] = '\0';

    // An empty line 2 names nothing to start; the shell is not asked to guess.
    HINSTANCE started = NULL;
    if (program[0] != '\0')
        started = ShellExecuteA(NULL, NULL, program, params, current, SW_SHOWNORMAL);
    if ((INT_PTR)started <= 32)
        return Fail("The application could not be started.", "Configuration Error",
                    STATUS_NOT_STARTED);

    CreateSplashWindow();
    ShowSplash("Splash.bmp", 10);
    return 0;
}
