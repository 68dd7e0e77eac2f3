#include "output/output_claims.h"

#include <gtest/gtest.h>

#include "base/disk.h"
#include "tests/support/test_support.h"

TEST(OutputClaimsTest, ASecondOwnerOfAFileIsRefusedWhole) {
  ScratchDirectory scratch;
  MakeTestDirectory("out");
  OutputClaims claims;
  std::string path;
  std::string holder;
  EXPECT_TRUE(claims.Claim(SystemDisk(), {"Makefile", "a.Makefile"}, "a", &path,
                           &holder));
  // The same file in another spelling of its directory.
  EXPECT_FALSE(claims.Claim(SystemDisk(), {"b.Makefile", "out/../Makefile"},
                            "b", &path, &holder));
  EXPECT_EQ(path, "out/../Makefile");
  EXPECT_EQ(holder, "a");
  // Nothing of the refused owner was claimed; an owner may repeat itself.
  EXPECT_TRUE(claims.Claim(SystemDisk(), {"b.Makefile"}, "c", &path, &holder));
  EXPECT_TRUE(claims.Claim(SystemDisk(), {"Makefile"}, "a", &path, &holder));
}

TEST(OutputClaimsTest, TellsWhenTwoFilesOfOneOwnerAreOne) {
  ScratchDirectory scratch;
  MakeTestDirectory("out");
  OutputClaims claims;
  std::string path;
  std::string holder;
  bool repeated = true;
  EXPECT_TRUE(claims.Claim(SystemDisk(), {"a.vcproj", "out/b.vcproj"}, "p",
                           &path, &holder, &repeated));
  EXPECT_FALSE(repeated);
  // One file by two spellings, or by names that differ in letter case.
  EXPECT_TRUE(claims.Claim(SystemDisk(),
                           {"out/c.vcproj", "./out/../out/c.vcproj"}, "q",
                           &path, &holder, &repeated));
  EXPECT_TRUE(repeated);
  EXPECT_TRUE(claims.Claim(SystemDisk(), {"D.vcproj", "d.vcproj"}, "r", &path,
                           &holder, &repeated));
  EXPECT_TRUE(repeated);
}
