#include "inifile.h"

#include <string.h>

const char kAdminFlag[] = "-Dmrlninc.error=ADMIN ";

bool CopyText(char *dst, size_t size, const char *src)
{
    size_t length = strlen(src);
    if (size == 0)
        return false;
    if (length >= size) {
        dst[0] = '\0';
        return false;
    }
    memcpy(dst, src, length + 1);
    return true;
}

static bool CopyPart(char *dst, size_t size, const char *src, size_t length)
{
    dst[0] = '\0';
    if (length == 0 || length >= size)
        return false;
    memcpy(dst, src, length);
    dst[length] = '\0';
    return true;
}

bool ExtractIniOption(const char *text, const char *option, char *path, size_t size)
{
    if (size == 0)
        return false;
    path[0] = '\0';
    const char *rest = strstr(text, option);
    if (rest == NULL)
        return false;
    rest += strlen(option);
    const char *end;
    if (*rest == '"') {
        rest++;
        end = strchr(rest, '"');
    } else {
        end = strchr(rest, ' ');
    }
    if (end == NULL)
        end = rest + strlen(rest);
    return CopyPart(path, size, rest, (size_t)(end - rest));
}

void StripNewline(char *line)
{
    char *feed = strchr(line, '\n');
    if (feed != NULL)
        *feed = '\0';
}

void ReadIniLine(FILE *file, char *line, int size)
{
    if (size <= 0)
        return;
    // fgets leaves the buffer as it was at end of file, and undefined after a
    // read error: either way the line is missing, so it is empty.
    if (fgets(line, size, file) == NULL)
        line[0] = '\0';
    StripNewline(line);
}

void ReadIniLines(FILE *file, const char *flag, char *workdir, char *program,
                  char *params)
{
    ReadIniLine(file, workdir, INI_LINE_SIZE);
    ReadIniLine(file, program, INI_LINE_SIZE);
    CopyText(params, INI_LINE_SIZE, flag);  // a flag that does not fit leaves it empty
    size_t used = strlen(params);
    ReadIniLine(file, params + used, (int)(INI_LINE_SIZE - used));
}

bool IniPathFromModule(char *modulePath, size_t length, size_t bufferSize)
{
    // A length equal to the buffer size means the path was cut (and, on older
    // systems, not terminated).
    if (length < 3 || length >= bufferSize)
        return false;
    memcpy(modulePath + length - 3, "ini", 4);
    return true;
}

bool WorkingDirectoryFor(const char *line1, const char *drive, const char *dir,
                         char *target, size_t size)
{
    if (strcmp(line1, ".") != 0 || drive[0] == '\0' || dir[0] == '\0')
        return CopyText(target, size, line1);

    // Directory parts end in a backslash; drop it, except where it is all
    // there is: "C:" alone would select drive C's current directory.
    size_t dirLength = strlen(dir);
    if (dirLength > 1)
        dirLength--;
    size_t driveLength = strlen(drive);
    if (driveLength + dirLength >= size) {
        target[0] = '\0';
        return false;
    }
    memcpy(target, drive, driveLength);
    memcpy(target + driveLength, dir, dirLength);
    target[driveLength + dirLength] = '\0';
    return true;
}
