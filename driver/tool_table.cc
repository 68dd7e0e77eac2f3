#include "driver/tool_table.h"

#include "base/text.h"
#include "exporters/make/make_exporter.h"
#include "exporters/ninja/ninja_exporter.h"
#include "exporters/vc17/vc17_exporter.h"
#include "exporters/vs/vc71_exporter.h"
#include "exporters/vs/vc7_exporter.h"
#include "exporters/vs/vc8_exporter.h"
#include "exporters/xcode/xcode_exporter.h"

namespace {

template <typename Exporter>
std::unique_ptr<QEVExporter> Create(const ExportContext& context) {
  return std::make_unique<Exporter>(context);
}

const Tool kTools[] = {
    {"VC7", "Win32", VC7PlatformName, nullptr, Create<VC7Exporter>},
    {"VC71", "Win32", VC7PlatformName, nullptr, Create<VC71Exporter>},
    {"VC8", "Win32", VC8PlatformName, nullptr, Create<VC8Exporter>},
    {"VC17", "x64", Vc17PlatformName, Vc17AcceptsPlatform,
     Create<VC17Exporter>},
    {"make", nullptr, MakePlatformName, nullptr, Create<MakeExporter>},
    {"ninja", nullptr, NinjaPlatformName, NinjaAcceptsPlatform,
     Create<NinjaExporter>},
    {"xcode", "MacOSX", XCodePlatformName, nullptr, Create<XCodeExporter>},
};

}  // namespace

const Tool* FindTool(const std::string& name) {
  for (const Tool& tool : kTools) {
    if (EqualsNoCase(name, tool.name))
      return &tool;
  }
  return nullptr;
}
