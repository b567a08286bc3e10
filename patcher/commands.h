// Text handling of the patcher: path splitting and the twelve update
// commands. Plain C strings only, no Windows headers, so that it builds and is
// tested and fuzzed on any host.
#ifndef PATCHER_COMMANDS_H
#define PATCHER_COMMANDS_H

#include <stddef.h>

enum {
    PATCH_PATH_SIZE = 260,  // MAX_PATH
    COMMAND_COUNT = 12,
    // The longest command, the copy, with two paths of PATCH_PATH_SIZE - 1.
    COMMAND_SIZE = 30 + PATCH_PATH_SIZE + 6 + PATCH_PATH_SIZE + 14 + 1
};

// Copies src into dst[size]; when it does not fit, dst is empty and the result false.
bool CopyText(char *dst, size_t size, const char *src);

// Copies path up to its last backslash, including the backslash or not, into
// out[size]. False (out empty) when the path holds no backslash or the part
// does not fit.
bool DirectoryPart(const char *path, bool withBackslash, char *out, size_t size);

// Whether the path can stand inside double quotes on a command line as it is:
// the command interpreter expands % even there, and a " would end the quotes.
bool SafeInQuotes(const char *path);

// Builds update command number index (0 to COMMAND_COUNT - 1) into out[size]
// for the product directory shortDir and the patcher's folder patcherDir
// (ending in a backslash): the rename of Diagno~1, ten deletions in
// Diagnostics, and the copy of the patcher's folder over the product.
// False (out empty) when the index is out of range or the command does not fit.
bool BuildCommand(int index, const char *shortDir, const char *patcherDir, char *out,
                  size_t size);

#endif
