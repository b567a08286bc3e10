// The short (8.3) form of the product directory, which the update commands use.
#ifndef PATCHER_SHORTPATH_H
#define PATCHER_SHORTPATH_H

#include <stddef.h>

enum ShortPathResult {
    SHORT_PATH_OK,
    SHORT_PATH_TOO_LONG,  // there is a short form, but it does not fit
    SHORT_PATH_NONE       // the directory was not found
};

// Writes the short form of directory pszFileName into szShortFileName[size].
// Where the file system keeps no short names, the whole long path stands in
// for it, once the directory is known to exist: the commands need the whole
// directory, never only its last part.
ShortPathResult ShortPathOf(const char *pszFileName, char *szShortFileName, size_t size);

// The stand-in for file systems without short names: the long path itself,
// when it names an existing directory and fits.
bool WholePathIfDirectory(const char *pszFileName, char *szShortFileName, size_t size);

#endif
