#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "../document/ManualExample.h"
#include "CliRun.h"

namespace {

// Width and height from a PNG's header chunk.
std::pair<int, int> PngSize(const std::string& file) {
  const std::string bytes = ReadFile(file);
  if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {0, 0};
  auto number = [&](size_t at) {
    int value = 0;
    for (size_t i = at; i < at + 4; ++i) value = value * 256 + static_cast<unsigned char>(bytes[i]);
    return value;
  };
  return {number(16), number(20)};
}

TEST_F(CliTest, ConvertRoundTripsThroughEveryFormatAndExportsPictures) {
  const std::string original = Saved(*NewDocument(RandomRows(9, 7, 11), true));
  folder.Write("solved.pixler", original);

  // A solved picture travels as the goal of the exchange formats and comes
  // back as the picture's cells.
  const std::vector<std::string> chain = {"solved.pixler", "a.non", "b.xml",    "c.spixler",
                                          "d.xml",         "e.non", "f.ppixler"};
  for (size_t i = 1; i < chain.size(); ++i) {
    const TCliRun run = Run({"convert", folder.Path(chain[i - 1]), folder.Path(chain[i])});
    EXPECT_EQ(run.status, 0) << run.command << "\n" << run.err;
  }
  EXPECT_EQ(ReadFile(folder.Path("c.spixler")), original);
  EXPECT_EQ(ReadFile(folder.Path("f.ppixler")), original);

  // The manual's set holds a dot, then a boat.
  const std::string set =
      folder.Write("set.xml", ManualExample("<?xml version=\"1.0\"?>", "</puzzleset>"));
  EXPECT_EQ(Run({"convert", "--index", "2", set, folder.Path("boat.pixler")}).status, 0);
  EXPECT_EQ(Run({"solve", folder.Path("boat.pixler")}).out, "..#..\n.###.\n.....\n#####\n");

  const TCliRun png = Run({"convert", "--scale", "3", folder.Path("a.non"), folder.Path("p.png")});
  if (png.status == 3 && png.err.find("is not installed") != std::string::npos) {
    GTEST_SKIP() << "this build has no picture export";
  }
  EXPECT_EQ(png.status, 0) << png.err;
  EXPECT_EQ(PngSize(folder.Path("p.png")), std::make_pair(27, 21));
  // An image is read as the window's import reads it: one cell a pixel.
  auto clues = [&](const std::string& name) {
    const std::string non = ReadFile(folder.Path(name));
    return non.substr(0, non.find("\n\n", non.find("columns")));
  };
  ASSERT_EQ(Run({"convert", folder.Path("a.non"), folder.Path("one.png")}).status, 0);
  ExpectRun(Run({"convert", folder.Path("one.png"), folder.Path("image.non")}), 0, "", "");
  EXPECT_EQ(clues("image.non"), clues("a.non"));
  ExpectRun(
      Run({"solve", "--output", folder.Path("s.PNG"), "--engine=search", folder.Path("a.non")}), 0,
      "#", "");
  EXPECT_EQ(PngSize(folder.Path("s.PNG")), std::make_pair(9, 7));
  ExpectRun(Run({"convert", "--solution", folder.Path("b.xml"), folder.Path("p.pdf")}), 0, "", "");
  EXPECT_EQ(ReadFile(folder.Path("p.pdf")).compare(0, 5, "%PDF-"), 0);

  // A printout is refused, the old file kept, where it cannot be written
  // whole. The limit holds for the tool only: the test's own few small writes
  // stay below it.
  rlimit old_limit{};
  ::getrlimit(RLIMIT_FSIZE, &old_limit);
  const rlimit limit{4096, old_limit.rlim_max};
  ::setrlimit(RLIMIT_FSIZE, &limit);
  const TCliRun limited =
      Run({"convert", "--solution", folder.Path("b.xml"), folder.Path("p.pdf")});
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  EXPECT_EQ(limited.status, 3);
  EXPECT_NE(limited.err.find("p.pdf: the file cannot be written (File too large)"),
            std::string::npos)
      << limited.err;
  EXPECT_EQ(ReadFile(folder.Path("p.pdf")).compare(0, 5, "%PDF-"), 0);
}

// The solution page of an unsolved puzzle shows the one solution of its
// clues, found first; with none or several the PDF has no such page and the
// tool says why. The PDF carries the file's title.
TEST_F(CliTest, ConvertPdfSolutionPageIsSolvedFirstOrLeftOutWithAWord) {
  if (std::system("pdftotext -v >/dev/null 2>&1") != 0) GTEST_SKIP() << "no poppler-utils";
  // Clues, exit status, pages, what the pages or the error say.
  const std::tuple<std::string, int, std::string, std::string> cases[] = {
      {"width 3\nheight 3\ntitle \"Plus sign\"\nrows\n1\n3\n1\ncolumns\n1\n3\n1\n", 0, "2",
       "Plus sign 3 x 3, solution"},
      {"width 2\nheight 2\nrows\n1\n1\ncolumns\n1\n1\n", 1, "1", "more than one solution"},
      {"width 2\nheight 1\nrows\n2\ncolumns\n1\n0\n", 2, "1", "no solution"},
  };
  for (const auto& [clues, status, pages, says] : cases) {
    const std::string pdf = folder.Path("p.pdf");
    const TCliRun run = Run({"convert", "--solution", folder.Write("p.non", clues), pdf});
    if (run.status == 3 && run.err.find("is not installed") != std::string::npos) {
      GTEST_SKIP() << "this build has no picture export";
    }
    EXPECT_EQ(run.status, status) << clues << run.err;
    const std::string read_back = "pdfinfo '" + pdf + "' >'" + folder.Path("info") +
                                  "' && pdftotext '" + pdf + "' '" + folder.Path("text") + "'";
    ASSERT_EQ(std::system(read_back.c_str()), 0) << clues;
    EXPECT_NE(ReadFile(folder.Path("info")).find("Pages:           " + pages), std::string::npos);
    std::string text = ReadFile(folder.Path("text")) + run.err;
    std::replace(text.begin(), text.end(), '\n', ' ');
    EXPECT_NE(text.find(says), std::string::npos) << text;
  }
}

}  // namespace
