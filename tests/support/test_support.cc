#include "tests/support/test_support.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

CapturingReporter::CapturingReporter()
    : out_(open_memstream(&outBuffer_, &outSize_)),
      err_(open_memstream(&errBuffer_, &errSize_)),
      reporter_(out_, err_) {}

CapturingReporter::~CapturingReporter() {
  std::fclose(out_);
  std::fclose(err_);
  std::free(outBuffer_);
  std::free(errBuffer_);
}

std::string CapturingReporter::out() {
  std::fflush(out_);
  return std::string(outBuffer_, outSize_);
}

std::string CapturingReporter::err() {
  std::fflush(err_);
  return std::string(errBuffer_, errSize_);
}

ScratchDirectory::ScratchDirectory() {
  char cwd[4096];
  if (!getcwd(cwd, sizeof cwd))
    throw std::runtime_error("getcwd failed");
  previous_ = cwd;
  char pattern[] = "/tmp/qev-test-XXXXXX";
  if (!mkdtemp(pattern))
    throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
  if (chdir(path_.c_str()) != 0)
    throw std::runtime_error("chdir failed");
}

ScratchDirectory::~ScratchDirectory() {
  if (chdir(previous_.c_str()) != 0)
    return;
  std::string command =
      "chmod -R u+rwX '" + path_ + "' && rm -rf '" + path_ + "'";
  if (std::system(command.c_str()) != 0)
    return;
}

void WriteTextFile(const std::string& path, const std::string& content) {
  for (size_t slash = path.find('/'); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    if (slash > 0)
      mkdir(path.substr(0, slash).c_str(), 0777);
  }
  std::ofstream file(path, std::ios::binary);
  file << content;
}

std::string ReadTextFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}
