// Where the product is installed: a string value that its installation
// leaves under HKEY_LOCAL_MACHINE.
#ifndef PATCHER_REGISTRY_H
#define PATCHER_REGISTRY_H

#include <windows.h>

#include "commands.h"

// The value "ServicesPath" as read by RegRetriveSysDirs; empty when it could
// not be read.
extern char sysdir[PATCH_PATH_SIZE];

// Reads the value into szBuffer[BufferSize] and terminates it. False, with
// the buffer empty, when the key or value cannot be read, the value does not
// fit, or it fills the whole buffer without a terminator. The type is not
// looked at.
bool RegGetKeyStringValue(HKEY hMainKey, const char *szSubKey, const char *szValueName,
                          char *szBuffer, DWORD BufferSize);

// Fills sysdir; always 0.
int RegRetriveSysDirs();

#endif
