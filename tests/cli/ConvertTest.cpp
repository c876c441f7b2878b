#include <gtest/gtest.h>

#include <fstream>

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
  const TCliRun missing =
      Run({"convert", "--index", "3", folder.Path("set.xml"), folder.Path("p.pixler")});
  EXPECT_EQ(missing.status, 3);
  EXPECT_NE(missing.err.find("set.xml, line "), std::string::npos) << missing.err;

  const TCliRun png = Run({"convert", "--scale", "3", folder.Path("a.non"), folder.Path("p.png")});
  if (png.status == 3 && png.err.find("cannot write \".png\"") != std::string::npos) {
    GTEST_SKIP() << "this build has no picture export";
  }
  EXPECT_EQ(png.status, 0) << png.err;
  EXPECT_EQ(PngSize(folder.Path("p.png")), std::make_pair(27, 21));
  const TCliRun pdf = Run({"convert", "--solution", folder.Path("b.xml"), folder.Path("p.pdf")});
  EXPECT_EQ(pdf.status, 0) << pdf.err;
  EXPECT_EQ(ReadFile(folder.Path("p.pdf")).compare(0, 5, "%PDF-"), 0);
  if (std::system("pdfinfo -v >/dev/null 2>&1") == 0) {
    const std::string info =
        "pdfinfo '" + folder.Path("p.pdf") + "' >'" + folder.Path("info") + "'";
    ASSERT_EQ(std::system(info.c_str()), 0);
    EXPECT_NE(ReadFile(folder.Path("info")).find("Pages:           2"), std::string::npos);
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
  };
  for (const auto& [arguments, err] : cases) {
    const TCliRun run = Run(arguments);
    EXPECT_EQ(run.status, 3) << run.command;
    EXPECT_NE(run.err.find(err), std::string::npos) << run.command << "\n" << run.err;
  }
  EXPECT_EQ(ReadFile(folder.Path("kept.non")), "old");
}

}  // namespace
