#pragma once
#include <windows.h>

struct MainWindow;

// The main window's creation: everything before the overview shows. 0 to
// go on, -1 when the program is to end (second instance, cancelled
// dialog, failed load, a window that cannot be made).
LRESULT runStartUp(MainWindow& w);
// The view at the current width: window size and title, scales, status
// bar, overview, edit window. False when a window cannot be made.
bool buildView(MainWindow& w);
void destroyView(MainWindow& w);
