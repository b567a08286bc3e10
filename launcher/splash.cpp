#include "splash.h"

// Reached from the window procedure and the timer callback.
static HWND g_hSplash;
static WNDPROC g_prevWndProc;

void CreateSplashWindow()
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    // The splash is owned by a window that is never shown, so that it gets no
    // taskbar button.
    HWND owner = CreateWindowExA(0, "STATIC", NULL, WS_THICKFRAME, 0, 0, 0, 0, NULL,
                                 NULL, instance, NULL);
    g_hSplash = CreateWindowExA(0, "STATIC", NULL, WS_POPUP | SS_BITMAP | SS_NOPREFIX,
                                0, 0, 0, 0, owner, NULL, instance, NULL);
    g_prevWndProc = (WNDPROC)GetWindowLongPtrA(g_hSplash, GWLP_WNDPROC);
    SetWindowLongPtrA(g_hSplash, GWLP_WNDPROC, (LONG_PTR)SplashWndProc);
}

LRESULT CALLBACK SplashWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        PostQuitMessage(0);
        break;  // the static control's default handling destroys the window
    case WM_NCHITTEST:
        return HTCLIENT;  // static controls are transparent to the mouse otherwise
    }
    return CallWindowProcA(g_prevWndProc, window, message, wParam, lParam);
}

VOID CALLBACK SplashTimerProc(HWND window, UINT message, UINT_PTR identifier, DWORD time)
{
    (void)window;
    (void)message;
    (void)time;
    KillTimer(g_hSplash, identifier);
    PostMessageA(g_hSplash, WM_QUIT, 0, 0);
}

static void CentreOnScreen(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    int x = (rect.left - rect.right + GetSystemMetrics(SM_CXSCREEN)) / 2;
    int y = (rect.top - rect.bottom + GetSystemMetrics(SM_CYSCREEN)) / 2;
    SetWindowPos(window, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int ShowSplash(const char *fileName, int seconds)
{
    HANDLE bitmap = LoadImageA(NULL, fileName, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (bitmap == NULL)
        return 2;
    SendMessageA(g_hSplash, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bitmap);
    CentreOnScreen(g_hSplash);
    ShowWindow(g_hSplash, SW_SHOW);
    BringWindowToTop(g_hSplash);
    if (seconds != 0)
        SetTimer(g_hSplash, SPLASH_TIMER_ID, (UINT)seconds * 1000, SplashTimerProc);

    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
