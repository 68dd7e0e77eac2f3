#ifndef QEV_BASE_WINDOWS_TEXT_H_
#define QEV_BASE_WINDOWS_TEXT_H_

#include <string>

// Text at the Windows API boundary: the programs hold UTF-8, Windows takes
// and gives UTF-16. Only for the Windows implementations in base/.

// `text` in UTF-16; false when it is no valid UTF-8 (it then names no file).
bool Utf8ToWide(const std::string& text, std::wstring* wide);

// `wide` in UTF-8 (an unpaired surrogate becomes U+FFFD).
std::string WideToUtf8(const wchar_t* wide, size_t size);
std::string WideToUtf8(const std::wstring& wide);

// The message Linux's strerror gives for `error_number`, so that both hosts
// word failures alike.
std::string ErrnoMessage(int error_number);

// The errno value of a Windows error code, for ErrnoMessage.
int ErrnoFromWindowsError(unsigned long error);

#endif  // QEV_BASE_WINDOWS_TEXT_H_
