// Stand-in for the system's xcopy, for the end-to-end runs of the patcher
// (Wine's own xcopy does not take a "dir\*.*" destination). It appends its
// command line to the file named by MARLUNE_XCOPY_LOG and copies as
// "xcopy SOURCE\*.* DEST\*.* /s /v /y" would: every file of the source folder
// and of its subfolders, subfolders without files left out, existing files
// overwritten without asking.
#include <windows.h>
#include <stdio.h>
#include <string.h>

#include <string>

static std::string FolderOf(const char *pattern)
{
    std::string text = pattern;
    size_t slash = text.find_last_of('\\');
    return slash == std::string::npos ? std::string(".") : text.substr(0, slash);
}

// Copies the files below from into to; to is made only once a file needs it.
static int CopyTree(const std::string &from, const std::string &to)
{
    int copied = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string source = from + "\\" + name, target = to + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            copied += CopyTree(source, target);
            continue;
        }
        CreateDirectoryA(to.c_str(), NULL);
        if (CopyFileA(source.c_str(), target.c_str(), FALSE))
            copied++;
        else
            printf("cannot copy %s\n", source.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return copied;
}

int main(int argc, char **argv)
{
    char log[MAX_PATH];
    if (GetEnvironmentVariableA("MARLUNE_XCOPY_LOG", log, sizeof(log))) {
        FILE *file = fopen(log, "ab");
        if (file != NULL) {
            fprintf(file, "%s\n", GetCommandLineA());
            fclose(file);
        }
    }
    if (argc < 3)
        return 4;
    CopyTree(FolderOf(argv[1]), FolderOf(argv[2]));
    return 0;
}
