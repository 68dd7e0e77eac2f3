#ifndef QEV_EXPORTERS_VC17_SOLUTION_WRITER_H_
#define QEV_EXPORTERS_VC17_SOLUTION_WRITER_H_

#include <string>

struct SolutionPlan;

// The text of a Visual Studio 2022 solution (format 12.00, UTF-8 with a
// byte order mark, CR LF line ends): one entry per planned project with its
// path relative to the solution, the configuration sections for `platform`,
// and `solutionGuid` in the extensibility section.
std::string FormatSolution(const SolutionPlan& plan,
                           const std::string& platform,
                           const std::string& solutionGuid);

#endif  // QEV_EXPORTERS_VC17_SOLUTION_WRITER_H_
