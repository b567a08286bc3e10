// The patcher's commands, built as its run does from a registry value and
// the patcher's own path: the bytes up to the first NUL are the value, the
// rest is the path. Buffers are exactly as large as they claim.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "commands.h"

static char *Buffer(size_t size)
{
    char *buffer = (char *)malloc(size);
    memset(buffer, 'j', size);
    return buffer;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string input((const char *)data, size);
    size_t split = input.find('\0');
    std::string value = input.substr(0, split);
    std::string path = split == std::string::npos ? "" : input.substr(split + 1);

    char *MRLNloc = Buffer(PATCH_PATH_SIZE), *newpth = Buffer(PATCH_PATH_SIZE);
    char *subprg = Buffer(PATCH_PATH_SIZE), *sysstring = Buffer(COMMAND_SIZE);
    bool fits = CopyText(MRLNloc, PATCH_PATH_SIZE, value.c_str());
    if (fits != (value.size() < PATCH_PATH_SIZE))
        abort();
    bool product = fits && DirectoryPart(MRLNloc, false, newpth, PATCH_PATH_SIZE);
    bool folder = DirectoryPart(path.c_str(), true, subprg, PATCH_PATH_SIZE);
    if (product && folder && SafeInQuotes(newpth) && SafeInQuotes(subprg)) {
        for (int i = 0; i < COMMAND_COUNT; i++) {
            // Paths that fit their buffers always make commands that fit theirs.
            if (!BuildCommand(i, newpth, subprg, sysstring, COMMAND_SIZE))
                abort();
            if (strnlen(sysstring, COMMAND_SIZE) == COMMAND_SIZE || strstr(sysstring, newpth) == NULL)
                abort();
        }
    }
    // A command built into a buffer too small is refused, never cut.
    char *small = Buffer(24);
    if (BuildCommand((int)(size % COMMAND_COUNT), value.c_str(), path.c_str(), small, 24) &&
        strnlen(small, 24) == 24)
        abort();
    free(small);
    free(MRLNloc);
    free(newpth);
    free(subprg);
    free(sysstring);
    return 0;
}
