// The two console services the patcher needs beyond printf.
#ifndef PATCHER_CONSOLE_H
#define PATCHER_CONSOLE_H

// Blanks the console window's buffer and puts the cursor in its top left
// corner. Does nothing when standard output is not a console (a file, a pipe).
void clrscr();

// Waits for one key press, without echo. Returns at once when standard input
// is not a console, so that an unattended run never hangs.
void WaitForKey();

#endif
