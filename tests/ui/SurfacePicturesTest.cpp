
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPixmap>

#include "MainWindowFixture.h"

namespace {

using SurfacePicturesTest = MainWindowFixture;

// Walks the house example through the states a person should look at and
// writes the four surfaces and the whole window of each as PNG files into
// surface-pngs/ beside the test program. The checks pin the colours that
// tell the states apart.
TEST_F(SurfacePicturesTest, WritesEveryStateAPersonShouldSee) {
  const QString folder = QDir(QCoreApplication::applicationDirPath()).filePath("surface-pngs");
  QDir().mkpath(folder);
  const std::string source = __FILE__;
  window->OpenFile(
      QString::fromStdString(source.substr(0, source.rfind("/tests/")) + "/examples/house.ppixler"),
      false, false);
  ASSERT_EQ(window->Document().GetWidth(), 15);
  auto save = [&](const char* state) {
    QCoreApplication::processEvents();
    int field_width = 0, field_height = 0, top_height = 0, left_width = 0;
    window->Document().GetPixelSizes(field_width, field_height, top_height, left_width);
    const QImage& top = window->ImageTopClues->Image();
    const QImage& left = window->ImageLeftClues->Image();
    const QImage& preview = window->ImagePreview->Image();
    const std::pair<const char*, QImage> surfaces[] = {
        {"field", window->ImageField->Image().copy(0, 0, field_width, field_height)},
        {"top", top.copy(0, top.height() - top_height - 1, field_width, top_height + 1)},
        {"left", left.copy(left.width() - left_width - 1, 0, left_width + 1, field_height)},
        {"preview", preview.copy(preview.width() - 80, preview.height() - 80, 80, 80)},
        {"window", window->grab().toImage()}};
    for (const auto& [surface, image] : surfaces) {
      EXPECT_TRUE(image.save(QDir(folder).filePath(QString("%1-%2.png").arg(state, surface))));
    }
  };
  auto field_pixel = [&](int x, int y) {
    return window->ImageField->Image().pixel(FieldCell(x, y)) & 0xFFFFFF;
  };

  save("1-loaded");
  EXPECT_EQ(field_pixel(1, 15), 0x000000u) << "filled";
  EXPECT_EQ(field_pixel(11, 1), 0x008080u) << "pencil mark";
  EXPECT_EQ(window->ImageLeftClues->Image().pixel(LeftSlot(5, 15)) & 0xFFFFFF, 0xE0E0E0u)
      << "done row's slot outside its clues";

  window->MenuItemSolverFindPiece->trigger();
  bool any_new = false;
  for (int x = 1; x <= 15; ++x) {
    for (int y = 1; y <= 15; ++y) any_new = any_new || field_pixel(x, y) == 0x0080FFu;
  }
  EXPECT_TRUE(any_new) << "the step's cells in the new colour";
  save("2-step");

  // Row 3 all filled breaks its clues, whose numbers turn red.
  for (int x = 1; x <= 15; ++x) Click(window->ImageField, FieldCell(x, 3), Qt::LeftButton);
  save("3-wrong-line");

  TSolverOrder order{};
  for (int x = 1; x <= 15; ++x) {
    for (int y = 1; y <= 15; ++y) order[SolverOrderIndex(x, y)] = (x * 17 + y * 11) % 300;
  }
  window->MenuItemSolverShowRecursionOrder->setChecked(true);
  window->ReportLevel(2);
  window->ReportOrder(order);
  window->ReportPosition(2, "Bruteforce", 8, 5, 42);
  EXPECT_EQ(field_pixel(8, 5), 0xFF0000u) << "marker";
  EXPECT_EQ(window->StatusPanels[0]->text(), "Field recursion max: 2");
  EXPECT_EQ(window->StatusPanels[3]->text(), "Bruteforce: 8:5 (42)");
  Mouse(window->ImageField, QEvent::MouseMove, FieldCell(4, 8), Qt::NoButton, Qt::NoButton);
  save("4-marker-order-hover");
}

}  // namespace
