#ifndef QEV_MODEL_DESCRIPTION_PLACE_H_
#define QEV_MODEL_DESCRIPTION_PLACE_H_

#include <string>

struct Project;

// Where a message about a description points: "file:line: ", or "file: "
// when the line is not known (0); "?" stands for a file without a name.
std::string DescriptionPlace(const std::string& file, int line);

// The same in the description `project` was read from.
std::string DescriptionPlace(const Project& project, int line);

#endif  // QEV_MODEL_DESCRIPTION_PLACE_H_
