// The splash: a bitmap in a borderless, subclassed static control centred on
// the screen. ShowSplash runs the launcher's only message loop.
#ifndef LAUNCHER_SPLASH_H
#define LAUNCHER_SPLASH_H

#include <windows.h>

enum { SPLASH_TIMER_ID = 88 };

void CreateSplashWindow();

// 2 when the bitmap cannot be loaded (nothing shown); otherwise 0 once the
// splash has been closed or seconds have passed. With 0 seconds it stays until
// closed.
int ShowSplash(const char *fileName, int seconds);

LRESULT CALLBACK SplashWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
VOID CALLBACK SplashTimerProc(HWND window, UINT message, UINT_PTR identifier, DWORD time);

#endif
