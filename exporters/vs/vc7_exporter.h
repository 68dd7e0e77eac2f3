#ifndef QEV_EXPORTERS_VS_VC7_EXPORTER_H_
#define QEV_EXPORTERS_VS_VC7_EXPORTER_H_

#include "driver/exporter.h"

class Reporter;

// Placeholder until the exporter is written.
class VC7Exporter : public QEVExporter {
 public:
  explicit VC7Exporter(Reporter& reporter) : reporter_(reporter) {}
  bool Export(Project&, const std::optional<std::string>&) override {
    return false;
  }

 private:
  [[maybe_unused]] Reporter& reporter_;
};

#endif  // QEV_EXPORTERS_VS_VC7_EXPORTER_H_
