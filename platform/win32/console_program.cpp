// console_program.cpp -- the tools' start on Windows: the wide command line in UTF-8, and a
// console that shows UTF-8
//
// The narrow argv of the C runtime holds the arguments in the system's code page, which turns
// letters outside it into look-alikes or question marks: a name given as "obrázok č.png" would
// write "obrázok c.png".
#include "platform/console_program.h"

#include <windows.h>

#include <cstdlib>
#include <shellapi.h>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/win32/wide_text.h"

namespace {

UINT consoleCodePage = 0;

// The console's code page belongs to the console, which outlives the tool.
void restoreConsoleCodePage() {
    if (consoleCodePage) SetConsoleOutputCP(consoleCodePage);
}

void takeWideCommandLine(int* argc, char*** argv) {
    static std::vector<std::string> arguments;
    static std::vector<char*> pointers;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return;
    for (int i = 0; i < count; ++i) arguments.push_back(utf8Text(wide[i]));
    LocalFree(wide);
    for (std::string& argument : arguments) pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    *argc = count;
    *argv = pointers.data();
}

} // namespace

void startConsoleProgram(const char* name, int* argc, char*** argv) {
    sendMessageBoxesToStderr(name);
    takeWideCommandLine(argc, argv);
    consoleCodePage = GetConsoleOutputCP();
    if (consoleCodePage && SetConsoleOutputCP(CP_UTF8)) std::atexit(restoreConsoleCodePage);
}
