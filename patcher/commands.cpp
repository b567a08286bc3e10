#include "commands.h"

#include <string.h>

// What the ten deletions remove from the Diagnostics folder, in order.
static const char *const kDeletePatterns[] = {
    "101En*.kqz", "99Us*.kqz", "MRLnA*.*",  "MRLnJ*.*",  "MRLnK*.*",
    "MRLnMi*.*",  "MRLnMo*.*", "MRLnPr*.*", "MRLnW*.*",  "Std104*.kqz",
};

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

// Joins the pieces, up to a null one, into out[size].
static bool Concat(char *out, size_t size, const char *const *pieces)
{
    size_t used = 0;
    for (; *pieces != NULL; pieces++) {
        size_t length = strlen(*pieces);
        if (used + length >= size) {
            out[0] = '\0';
            return false;
        }
        memcpy(out + used, *pieces, length);
        used += length;
    }
    out[used] = '\0';
    return true;
}

bool DirectoryPart(const char *path, bool withBackslash, char *out, size_t size)
{
    if (size == 0)
        return false;
    out[0] = '\0';
    const char *last = strrchr(path, '\\');
    if (last == NULL)
        return false;
    size_t length = (size_t)(last - path) + (withBackslash ? 1 : 0);
    if (length >= size)
        return false;
    memcpy(out, path, length);
    out[length] = '\0';
    return true;
}

bool SafeInQuotes(const char *path)
{
    return strpbrk(path, "%\"") == NULL;
}

bool BuildCommand(int index, const char *shortDir, const char *patcherDir, char *out,
                  size_t size)
{
    if (size == 0)
        return false;
    out[0] = '\0';
    if (index == 0) {
        const char *pieces[] = {"ren \"", shortDir, "\\Diagno~1\" \"Diagnostics\"", NULL};
        return Concat(out, size, pieces);
    }
    if (index >= 1 && index <= 10) {
        const char *pieces[] = {"del \"", shortDir, "\\Diagnostics\\",
                                kDeletePatterns[index - 1], "\"", NULL};
        return Concat(out, size, pieces);
    }
    if (index == 11) {
        // %systemroot% is left for the command interpreter to expand.
        const char *pieces[] = {"%systemroot%\\system32\\xcopy \"", patcherDir, "*.*\" \"",
                                shortDir, "\\*.*\" /s /v /y", NULL};
        return Concat(out, size, pieces);
    }
    return false;
}
