
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>

#include "MainWindowFixture.h"

using SurfacePicturesTest = MainWindowFixture;

// Walks the house example through the states a person should look at and
// writes the four surfaces and the whole window of each as PNG files into
// surface-pngs/ beside the test program.
TEST_F(SurfacePicturesTest, WritesEveryStateAPersonShouldSee) {
  const QString folder = QDir(QCoreApplication::applicationDirPath()).filePath("surface-pngs");
  QDir().mkpath(folder);
  const std::string source = __FILE__;
  window->Files().OpenFile(
      QString::fromStdString(source.substr(0, source.rfind("/tests/")) + "/examples/house.ppixler"),
      false, false);
  ASSERT_EQ(window->Document().GetWidth(), 15);
  auto save = [&](const char* state) {
    QCoreApplication::processEvents();
    const std::pair<const char*, QImage> surfaces[] = {{"field", window->ImageField->Image()},
                                                       {"top", window->ImageTopClues->Image()},
                                                       {"left", window->ImageLeftClues->Image()},
                                                       {"preview", window->ImagePreview->Image()},
                                                       {"window", window->grab().toImage()}};
    for (const auto& [surface, image] : surfaces) {
      EXPECT_TRUE(image.save(QDir(folder).filePath(QString("%1-%2.png").arg(state, surface))));
    }
  };
  save("1-loaded");
  window->MenuItemSolverFindPiece->trigger();
  save("2-step");

  // Row 3 all filled breaks its clues, whose numbers turn red.
  for (int x = 1; x <= 15; ++x) Click(window->ImageField, FieldCell(x, 3), Qt::LeftButton);
  save("3-wrong-line");

  TSolverOrder order{};
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int32_t>(i * 37 % 300);
  window->MenuItemSolverShowRecursionOrder->setChecked(true);
  window->ReportLevel(2);
  window->ReportOrder(order);
  window->ReportPosition(2, "Bruteforce", 8, 5, 42);
  Mouse(window->ImageField, QEvent::MouseMove, FieldCell(4, 8), Qt::NoButton, Qt::NoButton);
  save("4-marker-order-hover");

  // Two-digit clues side by side, as in "11 12" and "12 14 12".
  std::vector<std::string> rows;
  for (int y = 0; y < 25; ++y) {
    const int first = 10 + y % 3;
    rows.push_back(std::string(first, '#') + '.' + std::string(24 - first, '#'));
  }
  rows[12][5] = '.';
  MakePuzzle(rows);
  window->MenuItemResetZoom->trigger();
  save("5-two-digit-clues");
  window->MenuItemZoomOut->trigger();
  window->MenuItemZoomOut->trigger();
  window->MenuItemZoomOut->trigger();
  save("6-two-digit-clues-zoomed-out");
}
