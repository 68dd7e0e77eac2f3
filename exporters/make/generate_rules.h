#ifndef QEV_EXPORTERS_MAKE_GENERATE_RULES_H_
#define QEV_EXPORTERS_MAKE_GENERATE_RULES_H_

#include <string>
#include <vector>

#include "model/model.h"

// The make rules of custom build steps (GENERATE). Paths are written as the
// description gives them, from where make runs: outputs as written, inputs
// below their root.

// The outputs of `steps`, in order.
TextList GeneratedOutputs(const std::vector<GenerateStep>& steps);

// True when some configuration of `target` that make builds, or the
// target's default configuration, has a step.
bool HasGenerateSteps(const Target& target, const Configuration& configuration);

// A rule per step: its first output made from its inputs by the command
// (its "$" doubled, so the shell gets it as written), after the outputs'
// directories are made; each further output depends on the first.
void AppendGenerateRules(std::string* out,
                         const std::vector<GenerateStep>& steps);

#endif  // QEV_EXPORTERS_MAKE_GENERATE_RULES_H_
