// The patcher: run from a folder of update files, it finds the installed
// product through the registry, renames and cleans the product's Diagnostics
// folder, and copies its own folder over the installation, one command
// interpreter per command.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

#include "commands.h"
#include "console.h"
#include "registry.h"
#include "shortpath.h"

static void PrintHelp()
{
    printf("-= Usage =-\n");
    printf("Original Name - PATCHER.EXE.  May be renamed as needed.\n\n");
    printf("This program copies updates from WZQ\\CustomConf into the Marlune directory.\n");
    printf("Make sure updates are in the correct folder paths.\n\n");
    printf("PATCHER.EXE displays this help when any argument is passed\n");
    printf("-----------------------------------------------------------\n\n");
}

// Ends the patcher after a failure that the user must read first.
static void Quit()
{
    WaitForKey();
    exit(1);
}

static void NotInstalled()
{
    printf("\n-= ERROR =-\nUnable to locate Marlune for Windows!\n\n"
           "Marlune is not properly installed on your system.\n"
           "Please install Marlune for Windows prior to executing this program.\n\n\n\n"
           "Press any key to quit...\n");
    Quit();
}

static void Unusable(const char *what, const char *path)
{
    printf("\n-= ERROR =-\n%s:\n%s\nNo update has been made.\n\nPress any key to quit...\n",
           what, path);
    Quit();
}

// The patcher's own folder, with its trailing backslash, from the full path
// of its executable (opdir[PATCH_PATH_SIZE]): argv[0] is only the name as it
// was typed. False when the path was cut short by the buffer.
static bool FindPatcherFolder(char *opdir, char *subprg)
{
    DWORD length = GetModuleFileNameA(NULL, opdir, PATCH_PATH_SIZE);
    opdir[length == 0 ? 0 : PATCH_PATH_SIZE - 1] = '\0';  // a cut path may be unterminated
    if (length == 0 || length >= PATCH_PATH_SIZE) {
        subprg[0] = '\0';
        return false;
    }
    return DirectoryPart(opdir, true, subprg, PATCH_PATH_SIZE);
}

static void RunCommands(const char *szShortFileName, const char *subprg)
{
    // Sized for the longest command with both paths as long as their buffers
    // allow, so building never fails here.
    char sysstring[COMMAND_SIZE];
    for (int i = 0; i < COMMAND_COUNT; i++) {
        if (!BuildCommand(i, szShortFileName, subprg, sysstring, sizeof(sysstring)))
            break;
        printf("%s\n", sysstring);
        fflush(stdout);  // before the command's own output
        system(sysstring);
    }
}

int main(int argc, char **argv)
{
    (void)argv;
    char opdir[PATCH_PATH_SIZE];
    char subprg[PATCH_PATH_SIZE];
    bool haveFolder = FindPatcherFolder(opdir, subprg);
    printf("\n");
    if (argc != 1) {
        PrintHelp();
        return 0;
    }
    if (!haveFolder)
        Unusable("The path of this program is too long for the update commands", opdir);

    RegRetriveSysDirs();
    char MRLNloc[PATCH_PATH_SIZE];
    char newpth[PATCH_PATH_SIZE];
    // A value without a backslash names no directory.
    if (!CopyText(MRLNloc, sizeof(MRLNloc), sysdir) ||
        !DirectoryPart(MRLNloc, false, newpth, sizeof(newpth)))
        NotInstalled();

    clrscr();
    printf("\nMarlune registered program root location : %s\n", MRLNloc);
    printf("Marlune directory : %s\n\n", newpth);

    char szShortFileName[PATCH_PATH_SIZE];
    ShortPathResult fResult = ShortPathOf(newpth, szShortFileName, sizeof(szShortFileName));
    if (fResult == SHORT_PATH_TOO_LONG)
        Unusable("The short form of the Marlune directory is too long", newpth);
    if (fResult != SHORT_PATH_OK) {
        printf("\n-= ERROR =-\nUnable to locate %s\n"
               "Please re-install Marlune for Windows prior to running this program.\n\n"
               "Press any key to quit...\n",
               newpth);
        Quit();
    }
    if (!SafeInQuotes(szShortFileName))
        Unusable("The Marlune directory holds % or \", which the command interpreter would change",
                 newpth);
    if (!SafeInQuotes(subprg))
        Unusable("The folder of this program holds % or \", which the command interpreter would change",
                 subprg);

    RunCommands(szShortFileName, subprg);
    exit(1);
}
