// The /INI: option of the launcher's command line, into buffers of every
// small size and of the real one, each exactly as large as it claims.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "inifile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string text((const char *)data, size);  // the command line ends at a NUL
    const char *line = text.c_str();
    const size_t sizes[] = {1, 2, 3, 17, LAUNCH_PATH_SIZE};
    for (size_t bufferSize : sizes) {
        char *path = (char *)malloc(bufferSize);
        bool named = ExtractIniOption(line, "/INI:", path, bufferSize);
        size_t length = strnlen(path, bufferSize);
        if (length == bufferSize)
            abort();  // not terminated
        if (named != (length > 0))
            abort();
        if (named && (strstr(line, "/INI:") == NULL || strstr(line, path) == NULL))
            abort();  // a path that the command line does not hold
        free(path);
    }
    return 0;
}
