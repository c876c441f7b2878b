#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "../document/TestDocument.h"
#include "document/PixlerFile.h"
#include "export/PuzzleExport.h"

namespace {

// The picture's filled cells as '#', all others as '.'.
TRows Filled(TRows rows) {
  for (std::string& row : rows) {
    for (char& cell : row) cell = cell == '#' || cell == 'N' ? '#' : '.';
  }
  return rows;
}

// A puzzle with the clues of its picture's filled cells, the cells kept as
// drawn (in the characters of SetCells).
std::unique_ptr<TPixlerFileData> PictureData(const TRows& rows) {
  auto document = NewDocument(Filled(rows));
  SetCells(*document, rows);
  return document->FileData();
}

const TRows kPicture = {"#N_.#", "o#__#", "####."};

std::string Output(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    for (int c; (c = fgetc(pipe)) != EOF;) output += static_cast<char>(c);
    pclose(pipe);
  }
  return output;
}

std::string WithoutBlanks(std::string text) {
  std::erase_if(text, [](char c) { return c == ' ' || c == '\n'; });
  return text;
}

// No test makes an application: each export makes its own, as the
// command-line tool relies on, and leaves none behind.
TEST(PuzzleExportTest, PngHasOneBlockPerCellBlackExactlyWhereFilled) {
  TTempFolder folder;
  const auto data = PictureData(kPicture);
  const TRows filled = Filled(kPicture);
  for (const int scale : {1, 3, kLargestPngScale}) {
    SCOPED_TRACE(scale);
    ExportPng(folder.Path("picture.png"), *data, scale);
    const QImage image(QString::fromStdString(folder.Path("picture.png")));
    ASSERT_EQ(image.size(), QSize(5 * scale, 3 * scale));
    for (int py = 0; py < image.height(); ++py) {
      for (int px = 0; px < image.width(); ++px) {
        const bool black = filled[py / scale][px / scale] == '#';
        ASSERT_EQ(image.pixel(px, py), black ? qRgb(0, 0, 0) : qRgb(255, 255, 255))
            << px << "," << py;
      }
    }
  }
  EXPECT_EQ(QCoreApplication::instance(), nullptr);
}

// A picture or printout the puzzle cannot have is refused by its file's
// name, the old file kept. Where the file cannot be written is the atomic
// writer's to refuse, as for every file the program saves.
TEST(PuzzleExportTest, RefusedExportsNameTheFileAndKeepTheOldOne) {
  TTempFolder folder;
  const auto data = PictureData(kPicture);
  auto too_large = PictureData(kPicture);
  too_large->width = 101;
  const std::string kept = folder.Write("kept.png", "old");
  constexpr int kPdf = -1;
  // Name, puzzle, scale of a PNG (kPdf: a PDF), solution page.
  using TCase = std::tuple<const char*, const TPixlerFileData*, int, PuzzleImage>;
  const TCase cases[] = {
      {"scale 0", data.get(), 0, {}},
      {"scale too large", data.get(), kLargestPngScale + 1, {}},
      {"png size", too_large.get(), 1, {}},
      {"pdf size", too_large.get(), kPdf, {}},
      {"solution size", data.get(), kPdf, {"#.", ".#"}},
  };
  for (const auto& [name, puzzle, scale, solution] : cases) {
    SCOPED_TRACE(name);
    try {
      if (scale == kPdf) {
        ExportPdf(kept, *puzzle, "t", solution);
      } else {
        ExportPng(kept, *puzzle, scale);
      }
      ADD_FAILURE() << "not refused";
    } catch (const TPixlerFileError& error) {
      EXPECT_EQ(error.FileName(), kept);
      EXPECT_NE(std::string(error.what()).find(kept), std::string::npos) << error.what();
    }
    EXPECT_EQ(ReadFile(kept), "old");
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path), {}), 1);
}

// Without a session's runtime folder (a cron job, a container), Qt would
// warn and make one under the temporary folder for good.
TEST(PuzzleExportTest, LeavesNoRuntimeFolderBehind) {
  TTempFolder folder;
  const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
  const QByteArray temp = qgetenv("TMPDIR");
  qunsetenv("XDG_RUNTIME_DIR");
  ASSERT_TRUE(std::filesystem::create_directory(folder.Path("temp")));
  qputenv("TMPDIR", folder.Path("temp").c_str());
  ExportPng(folder.Path("picture.png"), *PictureData(kPicture), 1);
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path("temp")));
  EXPECT_FALSE(qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"));
  for (const auto& [name, value] : {std::pair{"TMPDIR", temp}, {"XDG_RUNTIME_DIR", runtime}})
    value.isNull() ? qunsetenv(name) : qputenv(name, value);
}

// The PDF is opened again by poppler's tools: its pages, their size, their
// text, and every page rendered under the build folder for a person to see.
TEST(PuzzleExportTest, PdfReadsBackWithItsPagesTitleAndClues) {
  if (std::system("{ pdfinfo -v && pdftoppm -v && pdftotext -v; } >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "poppler-utils is not installed";
  }
  TTempFolder folder;
  // Checks of uneven sizes give each line about a dozen clues.
  std::vector<std::string> largest(100, std::string(100, '.'));
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) largest[y][x] = (x / 7 + y / 9) % 2 == 0 || x == y ? '#' : '_';
  }
  // The title, the picture, with a solution page or not, pages and texts.
  using TCase = std::tuple<const char*, TRows, bool, int, std::vector<std::string>>;
  const TCase cases[] = {
      {"Small_one", kPicture, false, 1, {"Small_one", "5 x 3", "2 1"}},
      {"small_solution", kPicture, true, 2, {"5 x 3, solution"}},
      {"largest",
       largest,
       true,
       7,
       {"part 1 of 6: columns 1–35, rows 1–50", "part 6 of 6: columns 71–100, rows 51–100",
        "100 x 100, solution"}},
  };
  const QString pages_dir = QStringLiteral(PIXLERS_PAGES_DIR);
  ASSERT_TRUE(QDir().mkpath(pages_dir));
  for (const auto& [name, picture, with_solution, pages, texts] : cases) {
    SCOPED_TRACE(name);
    const std::string pdf = folder.Path("puzzle.pdf");
    ExportPdf(pdf, *PictureData(picture), name, with_solution ? Filled(picture) : PuzzleImage{});
    const std::string info = Output("pdfinfo '" + pdf + "'");
    EXPECT_NE(info.find("Pages:           " + std::to_string(pages) + "\n"), std::string::npos)
        << info;
    // Points are rounded differently by different versions.
    EXPECT_NE(info.find("Page size:       595"), std::string::npos) << info;
    EXPECT_NE(info.find("842"), std::string::npos) << info;
    EXPECT_NE(info.find("(A4)"), std::string::npos) << info;
    // Small text may lose its blanks on the way back, so blanks do not count.
    const std::string text = WithoutBlanks(Output("pdftotext -layout '" + pdf + "' -"));
    for (const std::string& expected : texts) {
      EXPECT_NE(text.find(WithoutBlanks(expected)), std::string::npos) << expected << "\n" << text;
    }
    for (const QString& old : QDir(pages_dir).entryList({QString::fromUtf8(name) + "-*.png"}))
      QFile::remove(pages_dir + "/" + old);
    const std::string prefix = (pages_dir + "/" + name).toStdString();
    Output("pdftoppm -r 100 -png '" + pdf + "' '" + prefix + "'");
    const QStringList rendered =
        QDir(pages_dir).entryList({QString::fromUtf8(name) + "-*.png"}, QDir::Files);
    EXPECT_EQ(rendered.size(), pages);
    // A page shows a grid, not a blank sheet.
    const QImage first(pages_dir + "/" + rendered.value(0));
    ASSERT_FALSE(first.isNull());
    int dark = 0;
    for (int y = 0; y < first.height(); ++y) {
      for (int x = 0; x < first.width(); ++x) dark += qGray(first.pixel(x, y)) < 128;
    }
    EXPECT_GT(dark, first.width() * first.height() / 1000);
  }
}

}  // namespace
