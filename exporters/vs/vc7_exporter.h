#ifndef QEV_EXPORTERS_VS_VC7_EXPORTER_H_
#define QEV_EXPORTERS_VS_VC7_EXPORTER_H_

#include <optional>
#include <string>
#include <unordered_map>

#include "exporters/exporter.h"

class OutputWriter;
class Reporter;
struct Configuration;
struct Target;

// The platform name that VC7 and VC71 files use for a command line's
// platform (letter case ignored): "Win32" for Win32 and PS3, "Xenon" for
// Xbox360 and Xenon, any other name unchanged; "Win32" when none is given.
std::string VC7PlatformName(const std::optional<std::string>& platform);

// Writes Visual Studio .NET (2002) build files: a solution "<name>.sln" per
// project and a project file "<target>.vcproj" per own target. The variants
// of later Visual Studio versions derive from it and override the hooks
// below; the flow, the writers and the GUIDs are shared.
class VC7Exporter : public QEVExporter {
 public:
  explicit VC7Exporter(const ExportContext& context);

  // Writes the project file of every own target, then the solution, for a
  // platform name that VC7PlatformName or VC8PlatformName gave. Returns true
  // when every file was written.
  bool Export(Project& project, const std::string& platformName_) override;
  std::vector<std::string> OutputFiles(const Project& project) override;

  // The hooks in which the Visual Studio versions differ. Each appends its
  // text to `out` and appends nothing when `out` is null.
  virtual void WriteSolutionHeader(std::string* out);
  // The project files' Version attribute, printed with two decimals.
  virtual double ProjectFileVersion();
  // The tool's name on the command line, for messages.
  virtual const char* ToolName() const { return "VC7"; }
  // Replaces a platform name of the command line by the one this Visual
  // Studio version knows (letter case ignored); unknown names stay as given.
  virtual void MapPlatformName(std::string* name);
  virtual std::string CompilerToolName(const std::string& platform);
  virtual std::string LinkerToolName(const std::string& platform);
  virtual void WriteSolutionConfiguration(std::string* out,
                                          const std::string& configuration,
                                          const std::string& platform);
  virtual void WriteProjectActiveConfiguration(std::string* out,
                                               const std::string& guid,
                                               const std::string& configuration,
                                               const std::string& platform);
  virtual void WriteProjectBuildConfiguration(std::string* out,
                                              const std::string& guid,
                                              const std::string& configuration,
                                              const std::string& platform);
  // Tools written at the end of a Configuration element; `type` is the
  // configuration type number (1 application, 2 DLL, 4 library, 0 unknown).
  virtual void WriteExtraTools(std::string* out,
                               const Configuration& config,
                               int type);

  // The solution and project file texts, for the platform of the last
  // Export call (or the one set through SetPlatform). The solution names
  // each own project file by its path relative to the solution's directory:
  // where the last Export put them, else where the export directories say.
  std::string FormatSolution(const Project& project);
  std::string FormatProjectFile(const Target& target);

  // Sets platformName_ as Export does: mapped, "Win32" when none is given.
  void SetPlatform(const std::optional<std::string>& platform);
  const std::string& platform_name() const { return platformName_; }

 protected:
  // Appends "\t\t{guid}.key.what = value\n", the shape of every line of the
  // solution's project-configuration section.
  static void AppendProjectConfigurationLine(std::string* out,
                                             const std::string& guid,
                                             const std::string& key,
                                             const char* what,
                                             const std::string& value);

  // The platform of the current Export call, after MapPlatformName.
  std::string platformName_;
  // Names of the two configuration sections of the solution's Global block.
  std::string solutionConfigurationSection_;
  std::string projectConfigurationSection_;

 private:
  void WarnAboutTargetEvents(const Project& project,
                             const Target& target,
                             Reporter& reporter);
  bool WriteSolution(OutputWriter& output, const Project& project);
  // Writes the project file of `target`; `*directory` is where it went.
  // Called for several targets at once: it changes nothing of the
  // exporter's.
  bool WriteProjectFile(OutputWriter& output,
                        const Target& target,
                        std::string* directory);
  void WriteConfiguration(std::string* out,
                          const Target& target,
                          const Configuration& base,
                          const Configuration& config);
  void WriteFiles(std::string* out, const Target& target);

  ExportContext context_;
  // Where the current Export put each own project file, and the solution.
  std::unordered_map<const Target*, std::string> projectFileDirs_;
  std::optional<std::string> solutionDir_;
};

#endif  // QEV_EXPORTERS_VS_VC7_EXPORTER_H_
