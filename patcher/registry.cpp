#include "registry.h"

char sysdir[PATCH_PATH_SIZE];

bool RegGetKeyStringValue(HKEY hMainKey, const char *szSubKey, const char *szValueName,
                          char *szBuffer, DWORD BufferSize)
{
    if (BufferSize == 0)
        return false;
    // A failed query may leave anything in the buffer (a value too large for
    // it, for one): start and end empty.
    ZeroMemory(szBuffer, BufferSize);
    HKEY hOpenedKey;
    // Reading needs no more: a user who may read but not write the key still
    // finds the product.
    if (RegOpenKeyExA(hMainKey, szSubKey, 0, KEY_QUERY_VALUE, &hOpenedKey) != ERROR_SUCCESS)
        return false;
    DWORD size = BufferSize;
    LONG status = RegQueryValueExA(hOpenedKey, szValueName, NULL, NULL, (BYTE *)szBuffer, &size);
    RegCloseKey(hOpenedKey);

    bool terminated = status == ERROR_SUCCESS &&
                      (size < BufferSize || szBuffer[BufferSize - 1] == '\0');
    if (!terminated) {
        ZeroMemory(szBuffer, BufferSize);
        return false;
    }
    if (size < BufferSize)
        szBuffer[size] = '\0';  // values stored without their terminator
    return true;
}

int RegRetriveSysDirs()
{
    RegGetKeyStringValue(HKEY_LOCAL_MACHINE, "Software\\Marlune\\Marlune Services",
                         "ServicesPath", sysdir, sizeof(sysdir));
    return 0;
}
