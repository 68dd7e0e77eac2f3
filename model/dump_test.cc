#include "model/dump.h"

#include <gtest/gtest.h>

#include "model/model.h"
#include "tests/support/test_support.h"

TEST(DumpTest, ListsEveryNonEmptyPartInItsPlace) {
  Project project("demo");
  project.exportDir = "build";
  auto core = std::make_unique<Target>("core", &project);
  core->exportDir = "vc";
  Configuration& debug = core->FindOrCreateConfiguration("Debug", "lib");
  debug.outDir = "out";
  debug.AddLibrary("z");
  debug.AddDefine("DEBUG");
  debug.AddCFlag("-g -O0");
  debug.AddLFlag("-s");
  debug.AddSearchPath("inc", kHeaderPath);
  debug.AddSearchPath("lib", kLibraryPath);
  debug.impDir = "not shown";
  core->AddDependency("base");
  core->AddFile("src", "code", "a.cpp");
  core->AddFile("empty", "code", "b.cpp");
  core->RemoveFile("empty", "code", "b.cpp");
  project.AddTarget(std::move(core));
  project.AddTarget(std::make_unique<Target>("bare", &project));

  CapturingReporter capture;
  DumpProject(project, capture.reporter());
  EXPECT_EQ(capture.out(),
            "project demo\n"
            "{\n"
            "  Export = \"build\";\n"
            "  target core\n"
            "  {\n"
            "    Export = \"vc\";\n"
            "    configuration( \"default\", \"DEFAULT\" )\n"
            "    {\n"
            "    };\n"
            "    configuration( \"Debug\", \"lib\" )\n"
            "    {\n"
            "      OutDir = \"out\";\n"
            "      OutFile = \"core\";\n"
            "      libraries\n      {\n        z\n      };\n"
            "      defines\n      {\n        DEBUG\n      };\n"
            "      cflags\n      {\n        -g -O0\n      };\n"
            "      lflags\n      {\n        -s\n      };\n"
            "      searchPaths.header\n      {\n        inc\n      };\n"
            "      searchPaths.library\n      {\n        lib\n      };\n"
            "    };\n"
            "    dependencies\n    {\n      base\n    };\n"
            "    files (group=\"src\")\n"
            "    {\n"
            "      \"a.cpp\",\n"
            "    };\n"
            "  };\n"
            "\n"
            "  target bare\n"
            "  {\n"
            "    configuration( \"default\", \"DEFAULT\" )\n"
            "    {\n"
            "    };\n"
            "  };\n"
            "\n"
            "};\n");
}

TEST(DumpTest, ProjectWithoutTargetsIsThreeLines) {
  Project project("empty");
  CapturingReporter capture;
  DumpProject(project, capture.reporter());
  EXPECT_EQ(capture.out(), "project empty\n{\n};\n");
}
