#include "base/reporter.h"

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

namespace {

// What a reporter wrote to its two streams.
struct Streams {
  Streams() : out(std::tmpfile()), err(std::tmpfile()) {}
  ~Streams() {
    std::fclose(out);
    std::fclose(err);
  }
  static std::string Read(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string text;
    char buffer[256];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
      text.append(buffer, got);
    return text;
  }
  std::FILE* out;
  std::FILE* err;
};

// The same calls, on whatever reporter.
void Report(Reporter& reporter, const std::string& tag) {
  reporter.Print("Depends for " + tag + "\n");
  reporter.Warning("plain " + tag);
  reporter.WarningOnce("shared once");
  reporter.WarningOnce("keyed " + tag, "key");
  reporter.DescriptionWarningOnce("place", [](const char* severity) {
    return std::string("d.qev:1:1: ") + severity + ": described\n";
  });
}

}  // namespace

TEST(ReporterTest, RecordingsReplayedInOrderEqualDirectReports) {
  for (bool strict : {false, true}) {
    Streams direct_streams;
    Reporter direct(direct_streams.out, direct_streams.err);
    direct.SetStrict(strict);
    Report(direct, "a");
    Report(direct, "b");
    direct.Error("broken");

    Streams replayed_streams;
    Reporter replayed(replayed_streams.out, replayed_streams.err);
    replayed.SetStrict(strict);
    Reporter first = Reporter::Recording(strict);
    Reporter second = Reporter::Recording(strict);
    // Recorded in the other order, replayed in the serial one.
    Report(second, "b");
    second.Error("broken");
    Report(first, "a");
    EXPECT_FALSE(replayed.failed());
    EXPECT_EQ(Streams::Read(replayed_streams.err), "");
    first.Replay(replayed);
    second.Replay(replayed);

    EXPECT_EQ(Streams::Read(replayed_streams.out),
              Streams::Read(direct_streams.out));
    EXPECT_EQ(Streams::Read(replayed_streams.err),
              Streams::Read(direct_streams.err));
    EXPECT_EQ(replayed.failed(), direct.failed());
    EXPECT_TRUE(replayed.failed());
  }
}

TEST(ReporterTest, RecordingKnowsWhetherItFailed) {
  Reporter lenient = Reporter::Recording(false);
  lenient.Warning("just a warning");
  EXPECT_FALSE(lenient.failed());
  lenient.PrintError("Error: now\n");
  EXPECT_TRUE(lenient.failed());

  Reporter strict = Reporter::Recording(true);
  strict.WarningOnce("a warning is an error here");
  EXPECT_TRUE(strict.failed());
}

TEST(ReporterTest, ReplayEmptiesTheRecording) {
  Streams streams;
  Reporter reporter(streams.out, streams.err);
  Reporter recording = Reporter::Recording(false);
  recording.Print("once\n");
  recording.MarkFailed();
  recording.Replay(reporter);
  recording.Replay(reporter);
  EXPECT_EQ(Streams::Read(streams.out), "once\n");
  EXPECT_TRUE(reporter.failed());
}
