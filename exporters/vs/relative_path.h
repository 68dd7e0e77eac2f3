#ifndef QEV_EXPORTERS_VS_RELATIVE_PATH_H_
#define QEV_EXPORTERS_VS_RELATIVE_PATH_H_

#include <optional>
#include <string>

// The path that leads from directory `from` to directory `to`, both as a
// description gives them (relative to the same current directory, or both
// absolute; "/" and "\" separate, "." and empty components are dropped,
// ".." is resolved where a name precedes it). Empty when both name one
// directory; "/" joins the components of the result. No answer when it
// depends on names the paths do not hold: one path absolute and the other
// not, paths on two drives, or `from` leading up ("..") further than `to`
// does.
std::optional<std::string> RelativeDirectory(const std::string& from,
                                             const std::string& to);

// How a solution in directory `from` names the directory `to` of one of its
// project files: the relative path when there is one, else `to` itself when
// it is absolute (another drive, or a relative solution directory), without
// separators at its end ("D:" for the root of drive D); empty when neither
// serves.
std::string DirectoryFromSolution(const std::string& from,
                                  const std::string& to);

#endif  // QEV_EXPORTERS_VS_RELATIVE_PATH_H_
