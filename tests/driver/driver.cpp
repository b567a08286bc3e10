#include "driver.h"

#include <stdio.h>
#include <string.h>

void DefaultRunOptions(RunOptions *options, const char *exe, const char *args)
{
    ZeroMemory(options, sizeof(*options));
    options->exe = exe;
    options->args = args;
    options->timeoutMs = 30000;
}

double NowMs()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return (double)counter.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

struct Watch {
    DWORD pid;
    const RunOptions *options;
    RunResult *result;
    bool splashClosed;
    HWND answered[MAX_BOXES];  // boxes already pressed, that may not be gone yet
};

static bool Answered(Watch *watch, HWND box)
{
    int known = watch->result->boxCount < MAX_BOXES ? watch->result->boxCount : MAX_BOXES;
    for (int i = 0; i < known; i++) {
        if (watch->answered[i] == box)
            return true;
    }
    return false;
}

static BOOL CALLBACK CountButton(HWND child, LPARAM param)
{
    char cls[32];
    if (GetClassNameA(child, cls, sizeof(cls)) && lstrcmpiA(cls, "Button") == 0)
        ++*(int *)param;
    return TRUE;
}

static BOOL CALLBACK FindIcon(HWND child, LPARAM param)
{
    char cls[32];
    if (GetClassNameA(child, cls, sizeof(cls)) && lstrcmpiA(cls, "Static") == 0 &&
        (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        IsWindowVisible(child) && SendMessageA(child, STM_GETICON, 0, 0) != 0)
        *(bool *)param = true;
    return TRUE;
}

// Reads a message box and presses its OK button.
static void AnswerBox(HWND box, RunResult *result)
{
    if (result->boxCount < MAX_BOXES) {
        MessageBoxSeen *seen = &result->boxes[result->boxCount];
        GetWindowTextA(box, seen->caption, sizeof(seen->caption));
        GetDlgItemTextA(box, 0xFFFF, seen->text, sizeof(seen->text));
        seen->buttons = 0;
        EnumChildWindows(box, CountButton, (LPARAM)&seen->buttons);
        seen->hasIcon = false;
        EnumChildWindows(box, FindIcon, (LPARAM)&seen->hasIcon);
    }
    result->boxCount++;
    HWND ok = GetDlgItem(box, IDOK);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)ok);
}

static BOOL CALLBACK Inspect(HWND window, LPARAM param)
{
    Watch *watch = (Watch *)param;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != watch->pid || !IsWindowVisible(window))
        return TRUE;
    char cls[64];
    if (!GetClassNameA(window, cls, sizeof(cls)))
        return TRUE;
    if (strcmp(cls, "#32770") == 0) {
        if (Answered(watch, window))
            return TRUE;
        if (watch->result->boxCount < MAX_BOXES)
            watch->answered[watch->result->boxCount] = window;
        AnswerBox(window, watch->result);
        return TRUE;
    }
    if (lstrcmpiA(cls, "Static") == 0 && (GetWindowLongA(window, GWL_STYLE) & WS_POPUP)) {
        RunResult *result = watch->result;
        result->sawSplash = true;
        GetWindowRect(window, &result->splash);
        if (watch->options->closeSplash && !watch->splashClosed) {
            PostMessageA(window, WM_CLOSE, 0, 0);
            watch->splashClosed = true;
        }
    }
    return TRUE;
}

static HANDLE OpenOutput(const char *path)
{
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), NULL, TRUE};
    return CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
}

static bool Start(const RunOptions *options, PROCESS_INFORMATION *process, HANDLE *output,
                  HANDLE *job)
{
    static char commandLine[32768];
    if (options->typedName != NULL)
        snprintf(commandLine, sizeof(commandLine), "%s%s%s", options->typedName,
                 options->args[0] ? " " : "", options->args);
    else
        snprintf(commandLine, sizeof(commandLine), "\"%s\"%s%s", options->exe,
                 options->args[0] ? " " : "", options->args);

    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    *output = INVALID_HANDLE_VALUE;
    if (options->stdoutFile != NULL) {
        SECURITY_ATTRIBUTES inherit = {sizeof(inherit), NULL, TRUE};
        *output = OpenOutput(options->stdoutFile);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = *output;
        startup.hStdError = *output;
        // No console input: a program that waits for a key must not hang.
        startup.hStdInput = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ, &inherit,
                                        OPEN_EXISTING, 0, NULL);
    }
    DWORD flags = CREATE_SUSPENDED | (options->hideConsole ? CREATE_NO_WINDOW : 0);
    static WCHAR exe[32768], line[32768], cwd[32768];
    MultiByteToWideChar(CP_ACP, 0, options->exe, -1, exe, 32768);
    MultiByteToWideChar(CP_ACP, 0, commandLine, -1, line, 32768);
    if (options->cwd != NULL)
        MultiByteToWideChar(CP_ACP, 0, options->cwd, -1, cwd, 32768);
    BOOL ok = CreateProcessW(exe, line, NULL, NULL, options->stdoutFile != NULL, flags, NULL,
                             options->cwd != NULL ? cwd : NULL, &startup, process);
    if (startup.hStdInput != NULL)
        CloseHandle(startup.hStdInput);
    if (!ok)
        return false;
    // The program and everything it starts end with the job: a timeout, or
    // the driver's own end, leaves nothing running.
    *job = CreateJobObjectA(NULL, NULL);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits;
    ZeroMemory(&limits, sizeof(limits));
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(*job, JobObjectExtendedLimitInformation, &limits, sizeof(limits));
    AssignProcessToJobObject(*job, process->hProcess);
    ResumeThread(process->hThread);
    return true;
}

bool RunProgram(const RunOptions *options, RunResult *result)
{
    ZeroMemory(result, sizeof(*result));
    result->screenWidth = GetSystemMetrics(SM_CXSCREEN);
    result->screenHeight = GetSystemMetrics(SM_CYSCREEN);

    PROCESS_INFORMATION process;
    HANDLE output, job = NULL;
    double begin = NowMs();
    if (!Start(options, &process, &output, &job)) {
        if (output != INVALID_HANDLE_VALUE)
            CloseHandle(output);
        return false;
    }
    result->started = true;

    Watch watch = {process.dwProcessId, options, result, false, {NULL}};
    for (;;) {
        if (WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0)
            break;
        if (NowMs() - begin > options->timeoutMs) {
            TerminateJobObject(job, 0xDEAD);
            WaitForSingleObject(process.hProcess, 5000);
            result->timedOut = true;
            break;
        }
        EnumWindows(Inspect, (LPARAM)&watch);
    }
    result->elapsedMs = (DWORD)(NowMs() - begin);
    GetExitCodeProcess(process.hProcess, &result->exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    if (output != INVALID_HANDLE_VALUE)
        CloseHandle(output);
    // Children that outlive the program (the launcher's application) go on:
    // only a timed-out run is ended with its whole tree.
    if (!result->timedOut) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits;
        ZeroMemory(&limits, sizeof(limits));
        SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof(limits));
    }
    CloseHandle(job);
    return true;
}
