#ifndef QEV_BASE_PROCESS_SETUP_H_
#define QEV_BASE_PROCESS_SETUP_H_

#include <string>
#include <vector>

// What the programs' main functions do first, alike on every host.

// Standard output and error pass bytes on as they are (on Windows the C
// runtime would write "\r\n" for every "\n"), so that output matches Linux
// byte for byte. On Windows a console shows them as UTF-8 while the program
// runs (names with accents would show garbled in the console's legacy code
// page); its code page is put back at the end.
void UseBinaryStandardStreams();

// Puts back the console code page UseBinaryStandardStreams changed; for the
// interrupt handler, which ends the process without the usual exit path.
void RestoreConsoleCodePage();

// Why the last write to standard output or error failed, in the words Linux
// uses (a closed pipe is "Broken pipe" on Windows too); for a caller that
// cleared errno before writing.
std::string StandardStreamError();

// The command line, program name first, in UTF-8. On Windows it comes from
// the wide command line, which holds any name whatever the code page.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

#endif  // QEV_BASE_PROCESS_SETUP_H_
