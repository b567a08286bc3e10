#include "support.h"

#include <windows.h>
#include <stdio.h>

#include <algorithm>

std::string BinDir()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, sizeof(path));
    std::string full(path, length);
    return full.substr(0, full.find_last_of('\\'));
}

std::string MakeTempDir(const char *prefix)
{
    char base[MAX_PATH];
    GetTempPathA(sizeof(base), base);
    static unsigned counter;
    for (;;) {
        char name[MAX_PATH];
        snprintf(name, sizeof(name), "%s%s-%lu-%u", base, prefix, GetCurrentProcessId(),
                 counter++);
        if (CreateDirectoryA(name, NULL))
            return name;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return "";
    }
}

std::string Join(const std::string &dir, const std::string &name)
{
    if (!dir.empty() && dir[dir.size() - 1] == '\\')
        return dir + name;
    return dir + "\\" + name;
}

void RemoveTree(const std::string &path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Join(path, "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = Join(path, name);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

bool WriteText(const std::string &path, const std::string &text)
{
    FILE *file = fopen(path.c_str(), "wb");
    if (file == NULL)
        return false;
    bool ok = fwrite(text.data(), 1, text.size(), file) == text.size();
    return fclose(file) == 0 && ok;
}

std::string ReadText(const std::string &path)
{
    std::string text;
    FILE *file = fopen(path.c_str(), "rb");
    if (file == NULL)
        return text;
    char chunk[4096];
    size_t got;
    while ((got = fread(chunk, 1, sizeof(chunk), file)) > 0)
        text.append(chunk, got);
    fclose(file);
    return text;
}

bool Exists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CopyTo(const std::string &from, const std::string &to)
{
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

bool WriteBitmap(const std::string &path, int width, int height)
{
    int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + stride * height;
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    std::string data((const char *)&file, sizeof(file));
    data.append((const char *)&info, sizeof(info));
    for (int y = 0; y < height; y++) {
        std::string row(stride, '\0');
        for (int x = 0; x < width; x++) {
            row[x * 3 + 0] = (char)(160 + y * 60 / height);  // blue
            row[x * 3 + 1] = (char)(x * 120 / width);        // green
            row[x * 3 + 2] = (char)40;                        // red
        }
        data += row;
    }
    return WriteText(path, data);
}

static void ListInto(const std::string &root, const std::string &relative,
                     std::vector<std::string> *entries)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Join(Join(root, relative), "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string child = relative.empty() ? name : Join(relative, name);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            entries->push_back(child + "\\");
            ListInto(root, child, entries);
        } else {
            entries->push_back(child);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::vector<std::string> ListTree(const std::string &root)
{
    std::vector<std::string> entries;
    ListInto(root, "", &entries);
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::string RecordValue(const std::string &path, const char *key, int waitMs)
{
    for (int waited = 0; !Exists(path) && waited < waitMs; waited += 20)
        Sleep(20);
    std::string text = ReadText(path);
    std::string prefix = std::string(key) + "=";
    size_t at = text.find(prefix);
    if (at != 0)
        at = text.find("\n" + prefix);
    if (at == std::string::npos)
        return "<no " + std::string(key) + " recorded>";
    if (at != 0)
        at++;
    size_t begin = at + prefix.size();
    return text.substr(begin, text.find('\n', begin) - begin);
}
