#ifndef QEV_MODEL_DESCRIPTION_ELEMENTS_H_
#define QEV_MODEL_DESCRIPTION_ELEMENTS_H_

#include <string>
#include <string_view>
#include <vector>

// Every element a description may hold and the attributes each reads: the
// one table the reader checks descriptions against, and the one README's
// "Writing descriptions" chapter and the manual page are checked against.
// Names are matched ignoring ASCII letter case.

enum class ElementRole {
  kStructure,  // QEV, project, target, configuration, import
  kSetting,    // fills the project, target or configuration being read
  kContainer,  // groups elements; means nothing of its own
};

struct ElementInfo {
  // As the documentation spells it.
  const char* name;
  ElementRole role;
  // The attributes it reads besides version, platform and tool, which every
  // element takes; separated by blanks.
  const char* attributes;
  // One line for the documentation.
  const char* meaning;
};

// The table, in the order of the documentation.
const std::vector<ElementInfo>& DescriptionElements();

// The row of `tag` (ASCII case ignored), or null.
const ElementInfo* FindElementInfo(std::string_view tag);

// True when `attribute` (ASCII case ignored) is one `element` reads, the
// filters version, platform and tool included.
bool ElementTakesAttribute(const ElementInfo& element,
                           std::string_view attribute);

// The attributes `element` reads, filters first.
std::vector<std::string> AttributesOf(const ElementInfo& element);

// The configuration types the exporters know (ASCII case ignored).
const std::vector<std::string>& KnownConfigurationTypes();

#endif  // QEV_MODEL_DESCRIPTION_ELEMENTS_H_
