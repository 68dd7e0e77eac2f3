#ifndef QEV_MODEL_UNWRITTEN_STEPS_H_
#define QEV_MODEL_UNWRITTEN_STEPS_H_

#include <string>
#include <vector>

struct Project;
struct Target;

// For tools whose build files run no GENERATE step: one warning per step of
// `target` (set on the target or on any of its configurations), at the
// step's line, naming what is not made. `tool` names the output ("the VC8
// project file").
std::vector<std::string> UnwrittenGenerateSteps(const Project& project,
                                                const Target& target,
                                                const std::string& tool);

#endif  // QEV_MODEL_UNWRITTEN_STEPS_H_
