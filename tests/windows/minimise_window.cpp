// SPDX-FileCopyrightText: 2026 The Brontix developers
// SPDX-License-Identifier: MIT
// minimise-window.exe CLASS [restore]: minimises the first window of a
// class, as Windows does at Win+Down, or restores it. (Wine leaves a window without a minimise box
// alone when the X window manager iconifies it, so the tests minimise it
// from the Windows side.)
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2 || argc > 3) return 2;
    HWND window = FindWindowW(argv[1], nullptr);
    if (!window) return 1;
    ShowWindow(window, argc == 3 ? SW_RESTORE : SW_MINIMIZE);
    return 0;
}
