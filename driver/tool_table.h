#ifndef QEV_DRIVER_TOOL_TABLE_H_
#define QEV_DRIVER_TOOL_TABLE_H_

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/host_platform.h"

class QEVExporter;
struct ExportContext;

// One row per tool that -t can name. Adding an exporter is one folder under
// exporters/ and one row here.
struct Tool {
  // The name on the command line, ASCII case ignored.
  const char* name;
  // What it writes, for the usage and the manual page.
  const char* description;
  // The platform a run writes for when -p is not given; null for the host's
  // ("Linux", or "MacOSX" on macOS).
  const char* defaultPlatform;
  // The command line's platform as the tool's files spell it.
  std::string (*platformName)(const std::optional<std::string>& platform);
  // False, with the reason, for a platform the tool cannot write for; null
  // when it takes any.
  bool (*acceptsPlatform)(const std::optional<std::string>& platform,
                          std::string* error);
  std::unique_ptr<QEVExporter> (*create)(const ExportContext& context);
  // Whether its files carry the flags of system packages (PACKAGES), which
  // pkg-config gives before the export.
  bool resolvesPackages;
};

// The row whose name equals `name` (ASCII case ignored), or null.
const Tool* FindTool(const std::string& name);

// Every row, in the order of the table.
std::vector<const Tool*> AllTools();

// The line of standard error for a tool name that names no tool: the
// nearest name when one is close, and every tool.
std::string UnknownToolMessage(const std::string& name);

#endif  // QEV_DRIVER_TOOL_TABLE_H_
