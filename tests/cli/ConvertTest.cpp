#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <tuple>

#include "CliRun.h"

namespace {

// Only for the tool: the test's own few small writes stay below the limit.
rlimit SetFileSizeLimit(rlim_t bytes) {
  rlimit old_limit{};
  ::getrlimit(RLIMIT_FSIZE, &old_limit);
  const rlimit limit{bytes, old_limit.rlim_max};
  ::setrlimit(RLIMIT_FSIZE, &limit);
  return old_limit;
}

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
  auto solved = NewDocument(RandomRows(9, 7, 11), true);
  solved->SaveToFile(folder.Path("solved.pixler"));
  const std::string original = ReadFile(folder.Path("solved.pixler"));

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

  folder.Write("set.xml",
               "<?xml version=\"1.0\"?>\n<puzzleset>\n"
               "<puzzle type=\"grid\"><clues type=\"columns\"><line><count>1</count></line>"
               "<line/></clues><clues type=\"rows\"><line><count>1</count></line><line/>"
               "</clues></puzzle>\n"
               "<puzzle type=\"grid\"><clues type=\"columns\"><line/><line><count>2</count>"
               "</line></clues><clues type=\"rows\"><line><count>1</count></line><line>"
               "<count>1</count></line></clues></puzzle>\n</puzzleset>\n");
  const std::pair<std::string, std::string> picks[] = {{"1", "#.\n..\n"}, {"2", ".#\n.#\n"}};
  for (const auto& [index, picture] : picks) {
    EXPECT_EQ(
        Run({"convert", "--index", index, folder.Path("set.xml"), folder.Path("p.pixler")}).status,
        0);
    EXPECT_EQ(Run({"solve", folder.Path("p.pixler")}).out, picture);
  }

  const TCliRun png = Run({"convert", "--scale", "3", folder.Path("a.non"), folder.Path("p.png")});
  if (png.status == 3 && png.err.find("is not installed") != std::string::npos) {
    GTEST_SKIP() << "this build has no picture export";
  }
  EXPECT_EQ(png.status, 0) << png.err;
  EXPECT_EQ(PngSize(folder.Path("p.png")), std::make_pair(27, 21));
  // An image is read as the window's import reads it: one cell a pixel.
  auto clues = [](const std::string& non) {
    const size_t start = non.find("width");
    return non.substr(start, non.find("\n\n", non.find("columns")) - start);
  };
  ASSERT_EQ(Run({"convert", folder.Path("a.non"), folder.Path("one.png")}).status, 0);
  const TCliRun image = Run({"convert", folder.Path("one.png"), folder.Path("image.non")});
  EXPECT_EQ(image.status, 0) << image.err;
  EXPECT_EQ(clues(ReadFile(folder.Path("image.non"))), clues(ReadFile(folder.Path("a.non"))));
  const TCliRun solved_png =
      Run({"solve", "--output", folder.Path("s.PNG"), "--engine=search", folder.Path("a.non")});
  EXPECT_EQ(solved_png.status, 0) << solved_png.err;
  EXPECT_EQ(PngSize(folder.Path("s.PNG")), std::make_pair(9, 7));
  const TCliRun pdf = Run({"convert", "--solution", folder.Path("b.xml"), folder.Path("p.pdf")});
  EXPECT_EQ(pdf.status, 0) << pdf.err;
  EXPECT_EQ(ReadFile(folder.Path("p.pdf")).compare(0, 5, "%PDF-"), 0);

  // A printout is refused, the old file kept, where it cannot be written
  // whole or would replace a special file.
  const rlimit old_limit = SetFileSizeLimit(4096);
  const TCliRun limited =
      RunCli(cli, {"convert", "--solution", folder.Path("b.xml"), folder.Path("p.pdf")}, folder);
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  EXPECT_EQ(limited.status, 3);
  EXPECT_NE(limited.err.find("p.pdf: the file cannot be written (File too large)"),
            std::string::npos)
      << limited.err;
  EXPECT_EQ(ReadFile(folder.Path("p.pdf")).compare(0, 5, "%PDF-"), 0);
  ASSERT_EQ(::mkfifo(folder.Path("pipe.png").c_str(), 0600), 0);
  const TCliRun fifo =
      RunCli(cli, {"convert", folder.Path("a.non"), folder.Path("pipe.png")}, folder);
  EXPECT_EQ(fifo.status, 3);
  EXPECT_NE(fifo.err.find("a FIFO (named pipe), not a regular file"), std::string::npos)
      << fifo.err;
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

TEST_F(CliTest, ConvertRefusesWhatItCannotReadOrWrite) {
  const std::string good = WritePuzzle(folder, "good.pixler", {"#.", ".#"});
  const std::string bad = folder.Write("bad.non", "width 2\nheight 2\nrows\n1\n1\ncolumns\n1\nx\n");
  folder.Write("kept.non", "old");
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"convert", good, folder.Path("out.txt")}, "cannot write \".txt\""},
      {{"convert", folder.Path("in.txt"), folder.Path("out.non")}, "in.txt"},
      {{"convert", bad, folder.Path("kept.non")}, "bad.non, line "},
      {{"convert", good}, "OUT is required"},
      {{"convert", "--index", "0", good, folder.Path("out.non")}, "N must be a whole number"},
  };
  for (const auto& [arguments, err] : cases) {
    const TCliRun run = Run(arguments);
    EXPECT_EQ(run.status, 3) << run.command;
    EXPECT_NE(run.err.find(err), std::string::npos) << run.command << "\n" << run.err;
  }
  EXPECT_EQ(ReadFile(folder.Path("kept.non")), "old");
}

}  // namespace
