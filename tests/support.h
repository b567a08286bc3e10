// File and folder helpers for the tests, which run on Windows (or Wine).
#ifndef TESTS_SUPPORT_H
#define TESTS_SUPPORT_H

#include <string>
#include <vector>

// The folder that holds the test programs and the programs under test.
std::string BinDir();
// A new empty folder below the system's temporary folder.
std::string MakeTempDir(const char *prefix);
void RemoveTree(const std::string &path);
std::string Join(const std::string &dir, const std::string &name);

bool WriteText(const std::string &path, const std::string &text);
std::string ReadText(const std::string &path);
bool Exists(const std::string &path);
bool CopyTo(const std::string &from, const std::string &to);
// A 24-bit bitmap file of the given size.
bool WriteBitmap(const std::string &path, int width, int height);
// Every file and folder below root, as relative paths, folders ending in "\".
std::vector<std::string> ListTree(const std::string &root);

// The value of "key=" in a key=value file, waiting up to waitMs for the file.
std::string RecordValue(const std::string &path, const char *key, int waitMs);

#endif
