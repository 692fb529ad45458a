#include "platform/Console.hpp"

#include <iostream>
#include <windows.h>

void clearConsole() {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    CONSOLE_SCREEN_BUFFER_INFO screen;
    // Fails for a file or a pipe, which get nothing.
    if (!GetConsoleScreenBufferInfo(out, &screen))
        return;
    // Whatever was written since the last clear lies between the top and the cursor: blanking
    // just those rows keeps a long scroll-back from costing time in every frame.
    const COORD home{0, 0};
    const DWORD cells = static_cast<DWORD>(screen.dwSize.X) * (screen.dwCursorPosition.Y + 1);
    DWORD done = 0;
    FillConsoleOutputCharacterW(out, L' ', cells, home, &done);
    FillConsoleOutputAttribute(out, screen.wAttributes, cells, home, &done);
    SetConsoleCursorPosition(out, home);
}

void reportStartupFailure(const std::string& message) {
    std::cerr << message << std::flush;
    // Started from Explorer, the console is the program's alone and closes as it ends.
    DWORD processes[2];
    if (GetConsoleProcessList(processes, 2) == 1)
        MessageBoxA(nullptr, message.c_str(), "Grainwright", MB_OK | MB_ICONERROR);
}
