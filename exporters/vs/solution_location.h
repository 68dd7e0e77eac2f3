#ifndef QEV_EXPORTERS_VS_SOLUTION_LOCATION_H_
#define QEV_EXPORTERS_VS_SOLUTION_LOCATION_H_

#include <string>

// How a solution in directory `from` names the directory `to` of one of its
// project files (both as the description gives them): the relative path when
// there is one (empty when both name one directory), else `to` itself when
// it is absolute (another drive, or a relative solution directory), without
// separators at its end ("D:" for the root of drive D); empty when neither
// serves.
std::string DirectoryFromSolution(const std::string& from,
                                  const std::string& to);

#endif  // QEV_EXPORTERS_VS_SOLUTION_LOCATION_H_
