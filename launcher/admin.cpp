#include "admin.h"

#include <stdlib.h>

int IsWindowsNT()
{
    OSVERSIONINFOA version;
    ZeroMemory(&version, sizeof(version));
    version.dwOSVersionInfoSize = sizeof(version);  // 148 bytes
    if (!GetVersionExA(&version))
        return 0;
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT ? 1 : 0;
}

bool GroupsContainSid(const TOKEN_GROUPS *groups, PSID sid)
{
    for (DWORD i = 0; i < groups->GroupCount; i++) {
        if (EqualSid(groups->Groups[i].Sid, sid))
            return true;
    }
    return false;
}

TOKEN_GROUPS *ReadTokenGroups(HANDLE token, void *buffer, DWORD size)
{
    DWORD needed = 0;
    if (GetTokenInformation(token, TokenGroups, buffer, size, &needed))
        return (TOKEN_GROUPS *)buffer;
    // Users in many groups have lists longer than any fixed buffer; a list
    // that does not fit must not make an administrator look like a user.
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= size)
        return NULL;
    void *block = malloc(needed);
    if (block == NULL)
        return NULL;
    if (!GetTokenInformation(token, TokenGroups, block, needed, &needed)) {
        free(block);
        return NULL;
    }
    return (TOKEN_GROUPS *)block;
}

void FreeTokenGroups(TOKEN_GROUPS *groups, void *buffer)
{
    if (groups != NULL && (void *)groups != buffer)
        free(groups);
}

int IsUserAdmin()
{
    if (!IsWindowsNT())
        return 0;

    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_READ, &token))
        return 0;
    // Pointer-sized elements keep the list's SID pointers aligned on both widths.
    ULONG_PTR buffer[1024 / sizeof(ULONG_PTR)];
    TOKEN_GROUPS *groups = ReadTokenGroups(token, buffer, sizeof(buffer));
    CloseHandle(token);
    if (groups == NULL)
        return 0;

    SID_IDENTIFIER_AUTHORITY ntAuthority = {SECURITY_NT_AUTHORITY};
    PSID administrators;
    BOOL built = AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                          DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                          &administrators);
    int result = 0;
    if (built) {
        result = GroupsContainSid(groups, administrators) ? 1 : 0;
        FreeSid(administrators);
    }
    FreeTokenGroups(groups, buffer);
    return result;
}
