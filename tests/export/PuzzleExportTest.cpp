#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <array>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "PictureData.h"
#include "export/PuzzleExport.h"

namespace {

const std::vector<std::string> kPicture = {"#N.x#", "o#..#", "####x"};

// The picture's filled cells as a solution page shows them.
PuzzleImage Filled(const std::vector<std::string>& picture) {
  PuzzleImage image = picture;
  for (std::string& row : image) {
    for (char& c : row) c = c == '#' || c == 'N' ? '#' : '.';
  }
  return image;
}

std::string Output(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return output;
  std::array<char, 4096> buffer;
  while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe)) output.append(buffer.data(), n);
  pclose(pipe);
  return output;
}

std::string WithoutBlanks(std::string text) {
  std::erase_if(text, [](char c) { return c == ' ' || c == '\n'; });
  return text;
}

bool HavePopplerTools() {
  return std::system(
             "command -v pdfinfo >/dev/null 2>&1 && command -v pdftoppm >/dev/null 2>&1 "
             "&& command -v pdftotext >/dev/null 2>&1") == 0;
}

class PuzzleExportTest : public ::testing::Test {
 protected:
  std::string Path(const char* name) { return folder.filePath(name).toStdString(); }

  QTemporaryDir folder;
};

// No test makes an application: each export makes its own, as the
// command-line tool relies on, and leaves none behind.
TEST_F(PuzzleExportTest, PngHasOneBlockPerCellBlackExactlyWhereFilled) {
  const auto data = PictureData(kPicture);
  for (const int scale : {1, 3, kLargestPngScale}) {
    SCOPED_TRACE(scale);
    ExportPng(Path("picture.png"), *data, scale);
    const QImage image(folder.filePath("picture.png"));
    ASSERT_EQ(image.size(), QSize(5 * scale, 3 * scale));
    for (int py = 0; py < image.height(); ++py) {
      for (int px = 0; px < image.width(); ++px) {
        const char cell = kPicture[py / scale][px / scale];
        const QRgb expected = cell == '#' || cell == 'N' ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
        ASSERT_EQ(image.pixel(px, py), expected) << px << "," << py;
      }
    }
  }
  EXPECT_EQ(QCoreApplication::instance(), nullptr);
}

// A refused export names the file and leaves what was there.
TEST_F(PuzzleExportTest, RefusedExportsNameTheFileAndKeepTheOldOne) {
  const auto data = PictureData(kPicture);
  auto too_large = PictureData(kPicture);
  too_large->width = 101;
  const std::string kept = Path("kept.png");
  {
    QFile file(QString::fromStdString(kept));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("old");
  }
  ASSERT_TRUE(QDir(folder.path()).mkdir("folder"));
  const struct {
    const char* name;
    std::string path;
    std::function<void(const std::string&)> write;
  } cases[] = {
      {"scale 0", kept, [&](const std::string& p) { ExportPng(p, *data, 0); }},
      {"scale too large", kept,
       [&](const std::string& p) { ExportPng(p, *data, kLargestPngScale + 1); }},
      {"png size", kept, [&](const std::string& p) { ExportPng(p, *too_large, 1); }},
      {"pdf size", kept, [&](const std::string& p) { ExportPdf(p, *too_large, "t", {}); }},
      {"solution size", kept,
       [&](const std::string& p) {
         ExportPdf(p, *data, "t", Filled({"#.", ".#"}));
       }},
      {"png folder", Path("folder"), [&](const std::string& p) { ExportPng(p, *data, 1); }},
      {"pdf folder", Path("folder"),
       [&](const std::string& p) { ExportPdf(p, *data, "", Filled(kPicture)); }},
      {"missing folder", Path("none/x.pdf"),
       [&](const std::string& p) { ExportPdf(p, *data, "", {}); }},
      {"png onto a FIFO", Path("pipe"), [&](const std::string& p) { ExportPng(p, *data, 1); }},
      {"pdf onto a link to a device", Path("null.pdf"),
       [&](const std::string& p) { ExportPdf(p, *data, "", {}); }},
      // Writes past a few bytes fail, even for root, as on a full disk.
      {"png past the file size limit", kept,
       [&](const std::string& p) {
         std::signal(SIGXFSZ, SIG_IGN);
         rlimit old_limit{};
         ::getrlimit(RLIMIT_FSIZE, &old_limit);
         const rlimit limit{2, old_limit.rlim_max};
         ::setrlimit(RLIMIT_FSIZE, &limit);
         try {
           ExportPng(p, *data, kLargestPngScale);
         } catch (...) {
           ::setrlimit(RLIMIT_FSIZE, &old_limit);
           throw;
         }
         ::setrlimit(RLIMIT_FSIZE, &old_limit);
       }},
  };
  ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
  ASSERT_EQ(::symlink("/dev/null", Path("null.pdf").c_str()), 0);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      c.write(c.path);
      ADD_FAILURE() << "not refused";
    } catch (const TPixlerFileError& error) {
      EXPECT_EQ(error.FileName(), c.path);
      EXPECT_NE(std::string(error.what()).find(c.path), std::string::npos) << error.what();
    }
    QFile file(QString::fromStdString(kept));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "old");
  }
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
            (QStringList{"kept.png", "null.pdf"}));
}

// Without a session's runtime folder (a cron job, a container), Qt would
// warn and make one under the temporary folder for good.
TEST_F(PuzzleExportTest, LeavesNoRuntimeFolderBehind) {
  const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
  const QByteArray temp = qgetenv("TMPDIR");
  qunsetenv("XDG_RUNTIME_DIR");
  ASSERT_TRUE(QDir(folder.path()).mkdir("temp"));
  qputenv("TMPDIR", folder.filePath("temp").toLocal8Bit());
  ExportPng(Path("picture.png"), *PictureData(kPicture), 1);
  EXPECT_TRUE(QDir(folder.filePath("temp")).isEmpty());
  EXPECT_FALSE(qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"));
  for (const auto& [name, value] : {std::pair{"TMPDIR", temp}, {"XDG_RUNTIME_DIR", runtime}}) {
    if (value.isNull()) {
      qunsetenv(name);
    } else {
      qputenv(name, value);
    }
  }
}

// The PDF is opened again by poppler's tools: its pages, their size, their
// text, and every page rendered under the build folder for a person to see.
TEST_F(PuzzleExportTest, PdfReadsBackWithItsPagesTitleAndClues) {
  if (!HavePopplerTools()) GTEST_SKIP() << "poppler-utils is not installed";
  // Checks of uneven sizes give each line about a dozen clues.
  std::vector<std::string> largest(100, std::string(100, '.'));
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) largest[y][x] = (x / 7 + y / 9) % 2 == 0 || x == y ? '#' : '.';
  }
  const struct {
    const char* name;
    std::vector<std::string> picture;
    bool with_solution;
    int pages;
    std::vector<std::string> texts;
  } cases[] = {
      {"small", kPicture, false, 1, {"Small one", "5 x 3", "2 1"}},
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
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string pdf = Path("puzzle.pdf");
    ExportPdf(pdf, *PictureData(c.picture), c.name == std::string("small") ? "Small one" : c.name,
              c.with_solution ? Filled(c.picture) : PuzzleImage{});
    const std::string info = Output("pdfinfo '" + pdf + "'");
    EXPECT_NE(info.find("Pages:           " + std::to_string(c.pages) + "\n"), std::string::npos)
        << info;
    // Points are rounded differently by different versions.
    EXPECT_NE(info.find("Page size:       595"), std::string::npos) << info;
    EXPECT_NE(info.find("842"), std::string::npos) << info;
    EXPECT_NE(info.find("(A4)"), std::string::npos) << info;
    // Small text may lose its blanks on the way back, so blanks do not count.
    const std::string text = WithoutBlanks(Output("pdftotext -layout '" + pdf + "' -"));
    for (const std::string& expected : c.texts) {
      EXPECT_NE(text.find(WithoutBlanks(expected)), std::string::npos) << expected << "\n" << text;
    }
    for (const QString& old : QDir(pages_dir).entryList({QString::fromUtf8(c.name) + "-*.png"})) {
      QFile::remove(pages_dir + "/" + old);
    }
    const std::string prefix = (pages_dir + "/" + c.name).toStdString();
    Output("pdftoppm -r 100 -png '" + pdf + "' '" + prefix + "'");
    const QStringList rendered =
        QDir(pages_dir).entryList({QString::fromUtf8(c.name) + "-*.png"}, QDir::Files);
    EXPECT_EQ(rendered.size(), c.pages);
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
