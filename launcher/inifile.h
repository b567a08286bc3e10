// Text handling of the launcher: the /INI: option, the three lines of the INI
// file and the working-directory rule. Plain C strings and stdio only, no
// Windows headers, so that it builds and is tested and fuzzed on any host.
#ifndef LAUNCHER_INIFILE_H
#define LAUNCHER_INIFILE_H

#include <stddef.h>
#include <stdio.h>

enum {
    INI_LINE_SIZE = 1000,   // one INI line, terminator included
    LAUNCH_PATH_SIZE = 260  // MAX_PATH
};

// The flag put in front of the parameters for an NT user who is no administrator.
extern const char kAdminFlag[];

// Copies src into dst[size]. When it does not fit, dst is left empty and the
// result is false: a cut path would name another file.
bool CopyText(char *dst, size_t size, const char *src);

// Finds the INI path named on the command line and writes it to path[size].
// Accepted syntax: the first case-sensitive occurrence of option anywhere in
// text, followed either by "quoted path" (up to the next double quote, or to
// the end when the quote is never closed) or by a plain path (up to the first
// space, or to the end). False, with path empty, when there is no option, the
// path is empty, or it does not fit.
bool ExtractIniOption(const char *text, const char *option, char *path, size_t size);

// Ends the string at its first line feed.
void StripNewline(char *line);

// Reads the next line (at most size-1 characters) into line and cuts off its
// line feed. A longer line is split: its rest is the next line. At end of file
// the line is empty.
void ReadIniLine(FILE *file, char *line, int size);

// Reads the three INI lines: working directory, file to start, and the
// parameters, which are flag followed directly by line 3. Each buffer holds
// INI_LINE_SIZE characters; line 3 gets what the flag leaves of its buffer.
void ReadIniLines(FILE *file, const char *flag, char *workdir, char *program,
                  char *params);

// Turns a module path of the given length (what GetModuleFileNameA returned
// into a buffer of bufferSize) into the INI path beside the program: the last
// three characters become "ini". False when the length says the path is
// unknown: zero, cut short by the buffer, or too short to hold an extension.
bool IniPathFromModule(char *modulePath, size_t length, size_t bufferSize);

// The directory to make current for INI line 1. "." means the launcher's own
// folder, drive plus directory as _splitpath gave them; in a drive's root that
// is the root itself ("C:\"), not the drive's current directory. Any other
// line, and "." when the launcher's folder is unknown, is used as it stands.
bool WorkingDirectoryFor(const char *line1, const char *drive, const char *dir,
                         char *target, size_t size);

#endif
