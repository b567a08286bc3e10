// Whether the launcher runs on the NT family, and whether its user is an
// administrator there (the process token lists the Administrators group).
#ifndef LAUNCHER_ADMIN_H
#define LAUNCHER_ADMIN_H

#include <windows.h>

int IsWindowsNT();
int IsUserAdmin();

// True when sid is one of the groups, whatever the group's attributes: a
// deny-only Administrators group still counts.
bool GroupsContainSid(const TOKEN_GROUPS *groups, PSID sid);

// Reads the token's group list into buffer[size], or, when the list is longer,
// into a heap block of the size the system asks for. Null on failure; a
// non-null result is released with FreeTokenGroups.
TOKEN_GROUPS *ReadTokenGroups(HANDLE token, void *buffer, DWORD size);
void FreeTokenGroups(TOKEN_GROUPS *groups, void *buffer);

#endif
