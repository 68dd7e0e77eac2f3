#ifndef QEV_DRIVER_COMMAND_LINE_H_
#define QEV_DRIVER_COMMAND_LINE_H_

#include <optional>
#include <string>

struct Workspace;
class Reporter;

// Fills the option fields of `workspace` from the arguments (the program name
// included): -x file, -t tool, -p platform, -c configuration (repeatable),
// -v level, -o name, -j threads. Only the second character of an option
// counts; options without a value, other letters and stray arguments are
// ignored. Without -p, the platform is the one the tool implies
// (DefaultPlatform). False, with the reason in `*error` (when given), for a
// -j value that is not a whole number of 1 or more; the other options are
// taken all the same.
bool ParseCommandLine(int argc,
                      const char* const* argv,
                      Workspace* workspace,
                      std::string* error = nullptr);

// Reads the value of -j: a whole number of threads, 1 or more (digits only).
bool ParseJobs(const char* text, int* jobs);

// The platform a tool writes for when none is given (see the tool table);
// none for unknown tools.
std::optional<std::string> DefaultPlatform(const std::string& tool);

// The help text, printed after a failure to parse or to export.
void PrintHelp(Reporter& reporter);

// What the user asked for instead of a run: "-h" or "--help" for the usage,
// "--version" for the version. The first such argument decides; values of
// options (a file named "-h" after -x) do not count.
enum class InfoRequest { kNone, kHelp, kVersion };
InfoRequest FindInfoRequest(int argc, const char* const* argv);

// True when "--strict" is one of the arguments (not the value of an
// option): every warning is an error, and a run with one writes nothing.
bool HasStrictArgument(int argc, const char* const* argv);

// The usage that --help prints: every option, the tools and an example.
std::string UsageText();

#endif  // QEV_DRIVER_COMMAND_LINE_H_
