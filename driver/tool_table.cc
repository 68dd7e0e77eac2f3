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
    {"VC7", "Visual Studio .NET 2002 solutions and .vcproj files", "Win32",
     VC7PlatformName, nullptr, Create<VC7Exporter>, false},
    {"VC71", "Visual Studio .NET 2003 solutions and .vcproj files", "Win32",
     VC7PlatformName, nullptr, Create<VC71Exporter>, false},
    {"VC8", "Visual Studio 2005 solutions and .vcproj files", "Win32",
     VC8PlatformName, nullptr, Create<VC8Exporter>, false},
    {"VC17", "Visual Studio 2019/2022 solutions and .vcxproj files", "x64",
     VC17PlatformName, VC17AcceptsPlatform, Create<VC17Exporter>, false},
    {"make", "GNU make files", nullptr, MakePlatformName, nullptr,
     Create<MakeExporter>, true},
    {"ninja", "build.ninja and compile_commands.json", nullptr,
     NinjaPlatformName, NinjaAcceptsPlatform, Create<NinjaExporter>, true},
    {"xcode", "an Xcode project bundle", "MacOSX", XCodePlatformName, nullptr,
     Create<XCodeExporter>, false},
};

}  // namespace

std::vector<const Tool*> AllTools() {
  std::vector<const Tool*> tools;
  for (const Tool& tool : kTools)
    tools.push_back(&tool);
  return tools;
}

std::string UnknownToolMessage(const std::string& name) {
  std::string message = "there is no tool \"" + name + "\"";
  std::vector<std::string> names;
  for (const Tool& tool : kTools)
    names.push_back(tool.name);
  std::string nearest = NearestName(name, names);
  if (!nearest.empty())
    message += "; did you mean \"" + nearest + "\"?";
  message += " The tools are";
  for (size_t i = 0; i < names.size(); ++i)
    message += (i == 0 ? " " : ", ") + names[i];
  return message;
}

const Tool* FindTool(const std::string& name) {
  for (const Tool& tool : kTools) {
    if (EqualsNoCase(name, tool.name))
      return &tool;
  }
  return nullptr;
}
