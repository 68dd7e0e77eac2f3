#ifndef QEV_TESTS_VC17_CHECKER_VC17_CHECKER_H_
#define QEV_TESTS_VC17_CHECKER_VC17_CHECKER_H_

#include <string>
#include <vector>

// A strict reader of the Visual Studio 2022 files that qev writes. With no
// Visual Studio at hand, it rejects what Visual Studio would reject or
// misread: documents that are not well-formed or lack the MSBuild
// namespace, top-level elements out of the order MSBuild and the IDE rely
// on, conditions of another form, configuration pairs that the solution
// and its projects do not share, project references and solution entries
// that lead nowhere or to another GUID, and filters files that do not list
// exactly the project's items under declared filters.

struct CheckOptions {
  // Items of the projects must name existing files (true when the sources
  // of the description lie in the checked tree).
  bool sourcesExist = false;
};

// Checks every .sln and .vcxproj (with its .vcxproj.filters) below `root`.
// Returns one line per problem, each naming the file; empty when all is
// well. `checkedFiles`, when given, receives the number of files read.
std::vector<std::string> CheckVC17Tree(const std::string& root,
                                       const CheckOptions& options,
                                       int* checkedFiles = nullptr);

#endif  // QEV_TESTS_VC17_CHECKER_VC17_CHECKER_H_
