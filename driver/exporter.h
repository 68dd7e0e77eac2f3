#ifndef QEV_DRIVER_EXPORTER_H_
#define QEV_DRIVER_EXPORTER_H_

#include <optional>
#include <string>

struct Project;

// An exporter writes the build files of one tool for a project. The driver
// makes one per export run and calls Export once per project, in order.
class QEVExporter {
 public:
  virtual ~QEVExporter() = default;

  // Writes the files of `project` for `platform` (none when there is no
  // platform). The driver does not look at the result.
  virtual bool Export(Project& project,
                      const std::optional<std::string>& platform) = 0;
};

#endif  // QEV_DRIVER_EXPORTER_H_
