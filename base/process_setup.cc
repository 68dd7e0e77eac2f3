#include "base/process_setup.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "base/windows_text.h"
#endif

#ifdef _WIN32
namespace {

// The console's output code page before this process changed it, 0 when it
// was not changed.
UINT g_saved_code_page = 0;

bool IsConsole(DWORD which) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(which), &mode) != 0;
}

}  // namespace
#endif

void UseBinaryStandardStreams() {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  // The C runtime writes an unbuffered stream a byte at a time, which
  // splits the UTF-8 sequences the console decodes; so standard error gets
  // a buffer, emptied after each message (Reporter flushes it).
  if (IsConsole(STD_ERROR_HANDLE))
    std::setvbuf(stderr, nullptr, _IOFBF, 1 << 12);
  if (IsConsole(STD_OUTPUT_HANDLE) || IsConsole(STD_ERROR_HANDLE)) {
    UINT code_page = GetConsoleOutputCP();
    if (code_page != 0 && code_page != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
      g_saved_code_page = code_page;
      std::atexit(RestoreConsoleCodePage);
    }
  }
#endif
}

void RestoreConsoleCodePage() {
#ifdef _WIN32
  if (g_saved_code_page != 0)
    SetConsoleOutputCP(g_saved_code_page);
#endif
}

std::string StandardStreamError() {
#ifdef _WIN32
  switch (GetLastError()) {
    case ERROR_NO_DATA:
    case ERROR_BROKEN_PIPE:
    case ERROR_PIPE_NOT_CONNECTED:
      return ErrnoMessage(EPIPE);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ErrnoMessage(ENOSPC);
    default:
      return errno ? ErrnoMessage(errno) : "write error";
  }
#else
  return errno ? std::strerror(errno) : "write error";
#endif
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
#ifdef _WIN32
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide) {
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i)
      arguments.push_back(WideToUtf8(wide[i], std::wcslen(wide[i])));
    LocalFree(wide);
    return arguments;
  }
#endif
  return std::vector<std::string>(argv, argv + argc);
}
