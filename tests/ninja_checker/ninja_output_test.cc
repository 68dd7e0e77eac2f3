// qev's ninja output for descriptions full of names that ninja, the shell
// and JSON treat specially reads back cleanly with the strict readers.

#include <gtest/gtest.h>

#include "base/reporter.h"
#include "driver/run.h"
#include "tests/ninja_checker/compile_db_checker.h"
#include "tests/ninja_checker/ninja_manifest_checker.h"
#include "tests/support/test_support.h"

namespace {

// Sources whose names hold what ninja escapes ("$ :"), what ends a path
// ("|"), what it cannot write (line breaks, control characters), what a
// command reads as an option or response file ("-", "@"), shell and JSON
// syntax, and bytes that are not UTF-8.
const char* const kOddNames[] = {
    "plain.cpp",     "-dash.cpp",   "@at.c",     "pipe|x.cpp", "new\nline.c",
    "sp ace.cpp",    "dollar$x.cc", "colon:y.c", "q'uote.cpp", "bad\xff.c",
    "hash#.c",       "tab\t.c",     "%pc.cpp",   "semi;c.c",   "b\"q.c",
    "back\\sl.c",    "star*.c",     "lt<gt>.c",  "{br}.cxx",   "=eq.S",
    "caf\xc3\xa9.c", "cr\r.c",      "lib.a",     "h.h",
};

std::string Problems(const std::string& directory) {
  std::string text;
  NinjaCheck check = CheckNinjaFile(directory + "build.ninja");
  for (const NinjaProblem& problem : check.problems)
    text += FormatNinjaProblem(problem) + "\n";
  std::string json = ReadTextFile(directory + "compile_commands.json");
  for (const JsonProblem& problem : CheckCompileDatabase(json))
    text += "compile_commands.json:" + FormatJsonProblem(problem) + "\n";
  return text;
}

TEST(NinjaOutputTest, OddNamesReadBackCleanly) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows holds no file names with \"|\", line breaks or "
                  "\"*\"";
#endif
  ScratchDirectory scratch;
  for (const char* name : kOddNames) {
    WriteTextFile(std::string("src/") + name, "");
    WriteTextFile(std::string("lib dir/$x/") + name, "");
  }
  // Target, configuration and output names with ninja's and the shell's
  // special characters; an imported project with its own export directory.
  WriteTextFile("in.qev", R"(<?xml version="1.0"?>
<QEV version="4">
  <project name="odd">
    <target name="co re.x$y:z#">
      <configuration name="De bug$:#" type="LIB">
        <OUTFILE>lib$x y:z</OUTFILE><OUTDIR>l ib$:</OUTDIR>
        <CFLAGS>-DX=$ORIGIN -D"a b" '-Dq=$$x' -DP=a|b</CFLAGS>
        <PREBUILDEVENT>echo $x | cat &gt; "o u t"</PREBUILDEVENT>
      </configuration>
      <configuration name="Rel:ease" type="SHARED_LIB">
        <OUTFILE>-so$name</OUTFILE><OUTDIR>o:ut</OUTDIR>
      </configuration>
      <FILES name="Source" root="src">*</FILES>
      <FILES name="Other" root="lib dir/$x">*.c *.a</FILES>
    </target>
    <target name="-app">
      <configuration name="De bug$:#">
        <OUTDIR>b in</OUTDIR><LFLAGS>-L$x -Wl,-rpath,'$$ORIGIN'</LFLAGS>
        <POSTBUILDEVENT>echo "$x" # done</POSTBUILDEVENT>
        <PRELINKEVENT>touch 'a b'</PRELINKEVENT>
      </configuration>
      <configuration name="Rel:ease"><OUTDIR>r el#</OUTDIR></configuration>
      <DEPENDENCIES>"co re.x$y:z#"</DEPENDENCIES>
      <FILES name="Source" root="src">plain.cpp @at.c</FILES>
      <import root="sub dir$">sub.qev</import>
    </target>
  </project>
</QEV>
)");
  WriteTextFile("sub dir$/sub.qev", R"(<?xml version="1.0"?>
<QEV version="4"><project name="sub"><EXPORT>e x</EXPORT>
  <target name="s$"><configuration name="De bug$:#" type="LIB"/>
    <FILES name="S" root=".">*.c</FILES></target>
</project></QEV>
)");
  WriteTextFile("sub dir$/a:b.c", "");
  MakeTestDirectory("sub dir$/e x");
  CapturingReporter capture;
  const char* arguments[] = {"qev", "-t", "ninja", "-v", "3", "-x", "in.qev"};
  EXPECT_EQ(0, RunQev(7, arguments, capture.reporter())) << capture.err();
  EXPECT_EQ("", Problems(""));
  EXPECT_EQ("", Problems("sub dir$/e x/"));
  NinjaCheck check = CheckNinjaFile("build.ninja");
  // Every source that ninja can carry is compiled: 17 of src/ and 9 of
  // "lib dir/$x" for each configuration of the library, two for each of the
  // program's, one for the imported target.
  size_t objects = 0;
  for (const NinjaTarget& target : check.targets)
    objects +=
        target.rule.rfind("cc_", 0) == 0 || target.rule.rfind("cxx_", 0) == 0;
  EXPECT_EQ(2u * (17 + 9) + 2 * 2 + 1, objects);
}

}  // namespace
