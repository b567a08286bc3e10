// The three INI lines read into their fixed buffers, with or without the
// administrator flag in front of line 3. The first byte chooses the flag; the
// rest is the file.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "inifile.h"

static void ExpectLine(const char *line)
{
    size_t length = strnlen(line, INI_LINE_SIZE);
    if (length == INI_LINE_SIZE || memchr(line, '\n', length) != NULL)
        abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const char *flag = (data[0] & 1) ? kAdminFlag : "";
    FILE *file = size > 1 ? fmemopen((void *)(data + 1), size - 1, "rb") : fopen("/dev/null", "rb");
    if (file == NULL)
        return 0;
    char *workdir = (char *)malloc(INI_LINE_SIZE);
    char *program = (char *)malloc(INI_LINE_SIZE);
    char *params = (char *)malloc(INI_LINE_SIZE);
    ReadIniLines(file, flag, workdir, program, params);
    fclose(file);
    ExpectLine(workdir);
    ExpectLine(program);
    ExpectLine(params);
    if (strncmp(params, flag, strlen(flag)) != 0)
        abort();  // the flag always stands in front

    char *target = (char *)malloc(INI_LINE_SIZE);
    WorkingDirectoryFor(workdir, "C:", program, target, INI_LINE_SIZE);
    ExpectLine(target);
    free(target);
    free(workdir);
    free(program);
    free(params);
    return 0;
}
