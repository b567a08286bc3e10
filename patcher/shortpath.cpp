#include "shortpath.h"

#include <windows.h>

#include "commands.h"

bool WholePathIfDirectory(const char *pszFileName, char *szShortFileName, size_t size)
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA(pszFileName, &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return false;
    FindClose(hFind);
    // The find data's alternate name is the short form of the last part
    // only, and empty where that part is already a short name.
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    return CopyText(szShortFileName, size, pszFileName);
}

ShortPathResult ShortPathOf(const char *pszFileName, char *szShortFileName, size_t size)
{
    szShortFileName[0] = '\0';
    DWORD cchShortNameLength = GetShortPathNameA(pszFileName, szShortFileName, (DWORD)size);
    if (cchShortNameLength != 0 && cchShortNameLength < size)
        return SHORT_PATH_OK;
    if (cchShortNameLength >= size) {
        szShortFileName[0] = '\0';
        return SHORT_PATH_TOO_LONG;
    }
    if (GetLastError() == ERROR_NOT_SUPPORTED &&
        WholePathIfDirectory(pszFileName, szShortFileName, size))
        return SHORT_PATH_OK;
    return SHORT_PATH_NONE;
}
