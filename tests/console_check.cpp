// console_check CASE: checks one of the patcher's console services on the
// fresh console that this program is started with, and ends with 0 when the
// check holds, else with the number of the failed step. Started by
// console_test, because a console cannot be made anew inside a test process.
#include <windows.h>
#include <string.h>

#include "console.h"

static HANDLE g_out, g_in;

static bool RowIs(SHORT y, const char *expected)
{
    char text[128] = "";
    DWORD length = (DWORD)strlen(expected), read = 0;
    ReadConsoleOutputCharacterA(g_out, text, length, COORD{0, y}, &read);
    return read == length && memcmp(text, expected, length) == 0;
}

static int Clear()
{
    DWORD written;
    WriteConsoleA(g_out, "first line\r\nsecond line", 23, &written, NULL);
    if (!RowIs(1, "second line"))
        return 1;
    clrscr();
    if (!RowIs(0, "          ") || !RowIs(1, "           "))
        return 2;
    CONSOLE_SCREEN_BUFFER_INFO info;
    GetConsoleScreenBufferInfo(g_out, &info);
    return info.dwCursorPosition.X == 0 && info.dwCursorPosition.Y == 0 ? 0 : 3;
}

static int ClearNoConsole()
{
    DWORD written;
    WriteConsoleA(g_out, "kept", 4, &written, NULL);
    SetStdHandle(STD_OUTPUT_HANDLE, CreateFileA("NUL", GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL));
    clrscr();
    return RowIs(0, "kept") ? 0 : 1;
}

static DWORD WINAPI WaitThread(LPVOID)
{
    WaitForKey();
    return 0;
}

static bool WaitReturns(DWORD ms)
{
    HANDLE thread = CreateThread(NULL, 0, WaitThread, NULL, 0, NULL);
    return WaitForSingleObject(thread, ms) == WAIT_OBJECT_0;
}

static int Key()
{
    INPUT_RECORD key = {};
    key.EventType = KEY_EVENT;
    key.Event.KeyEvent.bKeyDown = TRUE;
    key.Event.KeyEvent.wRepeatCount = 1;
    key.Event.KeyEvent.wVirtualKeyCode = 'Q';
    key.Event.KeyEvent.uChar.AsciiChar = 'q';
    DWORD written;
    FlushConsoleInputBuffer(g_in);
    if (!WriteConsoleInputA(g_in, &key, 1, &written))
        return 1;
    if (!WaitReturns(5000))
        return 2;
    // The key is used up: the next wait goes on (ended with the process).
    return WaitReturns(500) ? 3 : 0;
}

static int NoConsoleInput()
{
    SetStdHandle(STD_INPUT_HANDLE, CreateFileA("NUL", GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL));
    return WaitReturns(2000) ? 0 : 1;
}

int main(int argc, char **argv)
{
    g_out = GetStdHandle(STD_OUTPUT_HANDLE);
    g_in = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode;
    if (argc != 2 || !GetConsoleMode(g_in, &mode))
        return 100;  // not started on a console of its own
    const char *check = argv[1];
    int status = strcmp(check, "clear") == 0            ? Clear()
                 : strcmp(check, "clear-no-console") == 0 ? ClearNoConsole()
                 : strcmp(check, "key") == 0              ? Key()
                 : strcmp(check, "no-console-input") == 0 ? NoConsoleInput()
                                                          : 101;
    ExitProcess((UINT)status);  // ends a wait still in progress
}
