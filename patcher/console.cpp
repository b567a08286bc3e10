#include "console.h"

#include <windows.h>
#include <conio.h>
#include <stdio.h>

void clrscr()
{
    fflush(stdout);  // what is still buffered belongs before the clearing
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!GetConsoleScreenBufferInfo(output, &info))
        return;
    COORD home = {0, 0};
    DWORD cells = (DWORD)info.dwSize.X * (DWORD)info.dwSize.Y;
    DWORD written;
    FillConsoleOutputCharacterA(output, ' ', cells, home, &written);
    FillConsoleOutputAttribute(output, info.wAttributes, cells, home, &written);
    SetConsoleCursorPosition(output, home);
}

void WaitForKey()
{
    fflush(stdout);
    DWORD mode;
    if (!GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode))
        return;
    _getch();
}
