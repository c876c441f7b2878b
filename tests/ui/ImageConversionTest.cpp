#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <string>
#include <tuple>
#include <vector>

#include "MainWindowFixture.h"
#include "export/ImageConversion.h"
#include "ui/ImportImageDialog.h"

namespace {

std::vector<std::string> Rows(const CellPicture& cells) {
  std::vector<std::string> rows;
  for (const auto& line : cells) {
    rows.emplace_back();
    for (bool filled : line) rows.back() += filled ? '#' : '.';
  }
  return rows;
}

// Images go through a file as the import reads them, in each format the
// import offers; JPEG and PBM keep no greys exactly, so they get black and white.
TEST(ImageConversionTest, CellsAreFilledBelowTheThresholdFromFilesOfEachFormat) {
  EnsureApplication();
  QTemporaryDir folder;
  const std::vector<std::string> greys = {"#.dl#", "t#..#", "####t"};
  const std::vector<std::string> plain = {"#..##", ".#..#", "###.."};
  // Format, threshold, the picture saved, and the cells read from it.
  using TRows = std::vector<std::string>;
  const std::tuple<const char*, int, TRows, TRows> cases[] = {
      {"png", 128, greys, {"#.#.#", ".#..#", "####."}},
      // BMP keeps no transparency: the hidden black shows.
      {"bmp", 128, greys, {"#.#.#", "##..#", "#####"}},
      {"png", 129, greys, {"#.###", ".#..#", "####."}},
      {"png", 0, greys, {".....", ".....", "....."}},
      {"png", 256, greys, {"#####", "#####", "#####"}},
      {"jpg", 128, plain, plain},
      {"pbm", 128, plain, plain},
  };
  for (const auto& [format, threshold, picture, expected] : cases) {
    SCOPED_TRACE(std::string(format) + " " + std::to_string(threshold));
    const QString path = folder.filePath(QStringLiteral("image.") + format);
    ASSERT_TRUE(Image(picture).save(path, format, 100));
    const QImage read(path);
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(Rows(image_conversion::ToCells(read, read.size(), threshold)), expected);
  }
}

TEST(ImageConversionTest, SizesKeepTheAspectWithinTheLargestPuzzle) {
  // Image, side asked, its orientation, and the size given.
  const std::tuple<QSize, int, Qt::Orientation, QSize> cases[] = {
      {{200, 100}, 30, Qt::Vertical, {60, 30}},  {{100, 200}, 60, Qt::Horizontal, {50, 100}},
      {{10, 1000}, 100, Qt::Vertical, {1, 100}}, {{50, 50}, 0, Qt::Horizontal, {1, 1}},
      {{50, 50}, 500, Qt::Vertical, {100, 100}},
  };
  for (const auto& [image, side, orientation, expected] : cases) {
    EXPECT_EQ(image_conversion::KeepAspect(image, side, orientation), expected)
        << image.width() << "x" << image.height() << " side " << side;
  }
  EXPECT_EQ(image_conversion::DefaultSize({32, 20}), QSize(32, 20));
  EXPECT_EQ(image_conversion::DefaultSize({400, 200}), QSize(30, 15));
  EXPECT_EQ(image_conversion::DefaultSize({300, 600}), QSize(15, 30));
}

// The dialog keeps the aspect while asked to and shows what it would import.
TEST(ImageConversionTest, DialogFollowsSizeAndThresholdWithItsPreview) {
  EnsureApplication();
  QImage image(200, 100, QImage::Format_RGB32);
  image.fill(Qt::black);
  ImportImageDialog dialog(image);
  EXPECT_EQ(QSize(dialog.width_box->value(), dialog.height_box->value()), QSize(30, 15));
  dialog.width_box->setValue(40);
  EXPECT_EQ(dialog.height_box->value(), 20);
  dialog.height_box->setValue(10);
  EXPECT_EQ(dialog.width_box->value(), 20);
  dialog.keep_aspect->setChecked(false);
  dialog.height_box->setValue(7);
  EXPECT_EQ(dialog.width_box->value(), 20);
  EXPECT_EQ(Rows(dialog.Picture()), std::vector<std::string>(7, std::string(20, '#')));
  EXPECT_EQ(dialog.preview->pixmap().size(), QSize(20, 7) * (300 / 20));
  dialog.threshold->setValue(0);
  EXPECT_EQ(Rows(dialog.Picture()), std::vector<std::string>(7, std::string(20, '.')));
  EXPECT_EQ(dialog.preview->pixmap().toImage().pixel(0, 0), qRgb(255, 255, 255));
}

}  // namespace
