// The layering check places files in layers as the table says and reports
// each include that the table does not allow, with file, line and rule.

#include "tests/layering/layer_rules.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

const char kTable[] = R"(# bottom first
base ->
output -> base
model -> base
exporters -> model base
exporters/* -> exporters output model base  # each tool folder
driver -> exporters exporters/* model output base generated
generated ->
tests -> *
*_test.cc -> *
except exporters/ninja -> exporters/make/target_rules.h
skip examples exporters/*/testdata
)";

class LayerRulesTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(rules_.Parse(kTable, "layers.txt", &error)) << error;
  }

  // The formatted problems of one file holding `text`.
  std::vector<std::string> Check(const std::string& path,
                                 const std::string& text) {
    std::vector<std::string> lines;
    auto exists = [this](const std::string& file) {
      return files_.count(file) > 0;
    };
    for (const LayerViolation& violation : rules_.CheckFile(path, text, exists))
      lines.push_back(FormatViolation(violation));
    return lines;
  }

  LayerRules rules_;
  std::set<std::string> files_;
};

TEST_F(LayerRulesTest, UpwardAndSidewaysIncludesNameFileLineAndRule) {
  EXPECT_EQ(Check("model/reader.cc",
                  "#include \"model/reader.h\"\n"
                  "\n"
                  "#include <string>\n"
                  "#include \"base/text.h\"\n"
                  "  #  include \"driver/run.h\"  // upward\n"),
            std::vector<std::string>{
                "model/reader.cc:5: includes \"driver/run.h\": model may "
                "include only model, base"});
  EXPECT_EQ(Check("exporters/vc17/solution_writer.cc",
                  "#include \"exporters/vc17/xml_text.h\"\n"
                  "#include \"exporters/exporter.h\"\n"
                  "#include \"exporters/vs/guid.h\"\n"),
            std::vector<std::string>{
                "exporters/vc17/solution_writer.cc:3: includes "
                "\"exporters/vs/guid.h\": exporters/vc17 may include only "
                "exporters/vc17, exporters, output, model, base"});
  EXPECT_EQ(Check("output/output_file.cc", "#include \"model/model.h\"\n"),
            std::vector<std::string>{
                "output/output_file.cc:1: includes \"model/model.h\": output "
                "may include only output, base"});
  EXPECT_TRUE(Check("driver/run.cc",
                    "#include \"exporters/vs/guid.h\"\n"
                    "#include \"generated/version.h\"\n"
                    "#include \"model/model.h\"\n")
                  .empty());
  // Test files and test support may include anything.
  EXPECT_TRUE(
      Check("model/reader_test.cc", "#include \"driver/run.h\"\n").empty());
  EXPECT_TRUE(
      Check("tests/support/x.h", "#include \"driver/run.h\"\n").empty());
}

TEST_F(LayerRulesTest, PathsThatLeaveTheTreeOrItsRootAreRefused) {
  files_ = {"driver/run.h", "model/x.h"};
  std::vector<std::string> problems =
      Check("model/reader.cc",
            "#include \"../driver/run.h\"\n"
            "#include \"./x.h\"\n"
            "#include \"/usr/include/stdio.h\"\n"
            "#include \"model\\\\x.h\"\n");
  ASSERT_EQ(problems.size(), 4u);
  EXPECT_EQ(problems[0],
            "model/reader.cc:1: includes \"../driver/run.h\": \"..\" and "
            "\".\" leave the layering unchecked; name the header by its path "
            "from the project root");
  EXPECT_EQ(problems[1].substr(0, 31), "model/reader.cc:2: includes \"./");
  EXPECT_NE(problems[2].find("path from the project root, with \"/\""),
            std::string::npos);
  EXPECT_NE(problems[3].find("with \"/\""), std::string::npos);
  // Test files are held to the same paths.
  EXPECT_EQ(
      Check("model/reader_test.cc", "#include \"../driver/run.h\"\n").size(),
      1u);
}

TEST_F(LayerRulesTest, IncludesAreLookedUpBesideTheFileFirst) {
  // A compiler finds "vs/guid.h" beside exporters/exporter.h.
  files_ = {"exporters/vs/guid.h", "model/model.h"};
  EXPECT_EQ(Check("exporters/exporter.h", "#include \"vs/guid.h\"\n"),
            std::vector<std::string>{
                "exporters/exporter.h:1: includes \"vs/guid.h\" "
                "(exporters/vs/guid.h): exporters may include only "
                "exporters, model, base"});
  EXPECT_TRUE(Check("model/reader.cc", "#include \"model.h\"\n").empty());
  // Not beside the file: from the root, where no layer holds it.
  EXPECT_EQ(Check("model/reader.cc", "#include \"reader.h\"\n"),
            std::vector<std::string>{
                "model/reader.cc:1: includes \"reader.h\": the project root "
                "is in no layer of layers.txt"});
}

TEST_F(LayerRulesTest, FoldersWithoutALineAreReported) {
  EXPECT_EQ(Check("tools/gen.cc", "#include \"base/text.h\"\n"),
            std::vector<std::string>{
                "tools/gen.cc: no line of layers.txt places folder \"tools\""});
  EXPECT_EQ(Check("model/reader.cc", "#include \"tools/gen.h\"\n"),
            std::vector<std::string>{
                "model/reader.cc:1: includes \"tools/gen.h\": folder "
                "\"tools\" is in no layer of layers.txt"});
  // A folder below a layer belongs to it.
  EXPECT_TRUE(Check("model/detail/x.cc", "#include \"base/text.h\"\n").empty());
  EXPECT_TRUE(rules_.Skipped("examples"));
  EXPECT_TRUE(rules_.Skipped("exporters/make/testdata"));
  EXPECT_FALSE(rules_.Skipped("exporters/make"));
}

TEST_F(LayerRulesTest, ExceptionsAllowTheirIncludeAndMustStayNeeded) {
  EXPECT_EQ(rules_.UnusedExceptions(),
            std::vector<std::string>{
                "layers.txt:11: no include needs \"except exporters/ninja -> "
                "exporters/make/target_rules.h\" any more; remove the line"});
  EXPECT_TRUE(Check("exporters/ninja/build_graph.cc",
                    "#include \"exporters/make/target_rules.h\"\n")
                  .empty());
  EXPECT_TRUE(rules_.UnusedExceptions().empty());
  // Only the named header, and only for the named folder.
  EXPECT_EQ(Check("exporters/ninja/build_graph.cc",
                  "#include \"exporters/make/make_format.h\"\n")
                .size(),
            1u);
  EXPECT_EQ(Check("exporters/xcode/x.cc",
                  "#include \"exporters/make/target_rules.h\"\n")
                .size(),
            1u);
}

TEST(LayerRulesTableTest, AFolderMayNameItsIncludersOnItsOwnLine) {
  LayerRules rules;
  std::string error;
  ASSERT_TRUE(rules.Parse(
      "base ->\n"
      "exporters/* -> base\n"
      "exporters/vs_common -> base <- exporters/vs exporters/vc17\n",
      "t", &error))
      << error;
  auto none = [](const std::string&) { return false; };
  const std::string text = "#include \"exporters/vs_common/guid.h\"\n";
  EXPECT_TRUE(rules.CheckFile("exporters/vs/a.cc", text, none).empty());
  EXPECT_TRUE(rules.CheckFile("exporters/vc17/a.cc", text, none).empty());
  std::vector<LayerViolation> make =
      rules.CheckFile("exporters/make/a.cc", text, none);
  ASSERT_EQ(make.size(), 1u);
  EXPECT_EQ(make[0].message,
            "includes \"exporters/vs_common/guid.h\": exporters/make may "
            "include only exporters/make, base");
  // The granted folder shows in the includer's rule.
  std::vector<LayerViolation> vs = rules.CheckFile(
      "exporters/vs/a.cc", "#include \"exporters/make/x.h\"\n", none);
  ASSERT_EQ(vs.size(), 1u);
  EXPECT_EQ(vs[0].message,
            "includes \"exporters/make/x.h\": exporters/vs may include only "
            "exporters/vs, base, exporters/vs_common");
  // vs_common is placed by its own line, not as a tool folder.
  EXPECT_EQ(rules
                .CheckFile("exporters/vs_common/guid.cc",
                           "#include \"exporters/vs/x.h\"\n", none)
                .size(),
            1u);
}

TEST(LayerRulesTableTest, MalformedLinesAreRefusedWithTheirLine) {
  struct Case {
    const char* table;
    const char* error;
  };
  const Case cases[] = {
      {"base ->\nmodel base\n",
       "t:2: expected \"<folder> -> <folders> [<- <folders>]\", "
       "\"except <folder or file> -> <folders or files>\" or "
       "\"skip <folders>\""},
      {"base ->\nbase -> model\n", "t:2: a second line for \"base\""},
      {"model -> ../base\n",
       "t:1: \"../base\": name folders by their path from the project root"},
      {"model -> base/\n",
       "t:1: \"base/\": name folders by their path from the project root"},
      {"model -> base <-\n", "t:1: \"<-\" names no folder"},
      {"model -> base -> output\n",
       "t:1: one \"->\" and at most one \"<-\" per line"},
      {"except model ->\n",
       "t:1: expected \"<folder> -> <folders> [<- <folders>]\", "
       "\"except <folder or file> -> <folders or files>\" or "
       "\"skip <folders>\""},
  };
  for (const Case& c : cases) {
    LayerRules rules;
    std::string error;
    EXPECT_FALSE(rules.Parse(c.table, "t", &error)) << c.table;
    EXPECT_EQ(error, c.error) << c.table;
  }
}

}  // namespace
