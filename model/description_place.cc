#include "model/description_place.h"

#include "model/model.h"

std::string DescriptionPlace(const std::string& file, int line) {
  std::string where = file.empty() ? std::string("?") : file;
  if (line > 0)
    where += ":" + std::to_string(line);
  return where + ": ";
}

std::string DescriptionPlace(const Project& project, int line) {
  return DescriptionPlace(project.descriptionFile, line);
}
