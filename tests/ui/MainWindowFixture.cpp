#include "MainWindowFixture.h"

#include <cstdlib>
#include <map>

namespace {

const std::map<int32_t, char> kChars = {{0, '.'}, {1, '#'},  {2, 'x'},  {4, 'o'},
                                        {8, '-'}, {16, '*'}, {17, 'N'}, {18, 'X'}};
int argc = 1;
char name[] = "ui_tests";
char* argv[] = {name, nullptr};
std::unique_ptr<QApplication> application;

// The application must go before main returns: left to the static
// destructors it would outlive parts of Qt it still needs on a real display.
class TApplicationEnvironment final : public ::testing::Environment {
 public:
  void TearDown() override { application.reset(); }
};

[[maybe_unused]] const ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new TApplicationEnvironment);

}  // namespace

void EnsureApplication() {
  if (QApplication::instance() != nullptr) return;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  application = std::make_unique<QApplication>(argc, argv);
}

void MainWindowFixture::SetUp() {
  EnsureApplication();
  platform = std::make_unique<TScriptedPlatform>();
  window = std::make_unique<TfMain>();
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  // Shortcuts reach only the active window.
  window->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QApplication::processEvents();
  ASSERT_TRUE(platform->messages.empty()) << platform->messages.front().text;
}

int MainWindowFixture::CellSize() {
  int field_width = 0, field_height = 0, top_height = 0, left_width = 0;
  window->Document().GetPixelSizes(field_width, field_height, top_height, left_width);
  return (field_width - 1) / window->Document().GetWidth();
}

QPoint MainWindowFixture::FieldCell(int x, int y) {
  const int cs = CellSize();
  return QPoint((x - 1) * cs + cs / 2, (y - 1) * cs + cs / 2);
}

QPoint MainWindowFixture::TopSlot(int x, int k) {
  const int cs = CellSize();
  return QPoint((x - 1) * cs + cs / 2, window->ImageTopClues->height() - 1 - (k - 1) * cs - cs / 2);
}

QPoint MainWindowFixture::LeftSlot(int k, int y) {
  const int cs = CellSize();
  return QPoint(window->ImageLeftClues->width() - 1 - (k - 1) * cs - cs / 2, (y - 1) * cs + cs / 2);
}

void MainWindowFixture::Mouse(TImageControl* image, QEvent::Type type, QPoint at,
                              Qt::MouseButton button, Qt::MouseButtons buttons,
                              Qt::KeyboardModifiers modifiers) {
  QMouseEvent event(type, at, image->mapToGlobal(at), button, buttons, modifiers);
  QApplication::sendEvent(image, &event);
}

void MainWindowFixture::Click(TImageControl* image, QPoint at, Qt::MouseButton button,
                              Qt::KeyboardModifiers modifiers) {
  Mouse(image, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton, modifiers);
  Mouse(image, QEvent::MouseButtonPress, at, button, button, modifiers);
  Mouse(image, QEvent::MouseButtonRelease, at, button, Qt::NoButton, modifiers);
}

std::vector<std::string> MainWindowFixture::Picture() {
  const TField& field = window->Document().GetField();
  std::vector<std::string> rows(field.GetHeight());
  for (int y = 1; y <= field.GetHeight(); ++y) {
    for (int x = 1; x <= field.GetWidth(); ++x) {
      const auto found = kChars.find(field.GetCell(x, y));
      rows[y - 1] += found != kChars.end() ? found->second : '?';
    }
  }
  return rows;
}

void MainWindowFixture::SetPicture(const std::vector<std::string>& rows) {
  for (size_t y = 0; y < rows.size(); ++y) {
    for (size_t x = 0; x < rows[y].size(); ++x) {
      int32_t code = 0;
      for (const auto& [value, c] : kChars) code = c == rows[y][x] ? value : code;
      window->Document().GetField().SetCell(static_cast<int>(x) + 1, static_cast<int>(y) + 1, code);
    }
  }
  window->Document().Redraw(-1, -1);
}

void MainWindowFixture::MakePuzzle(const std::vector<std::string>& rows) {
  TPixler& document = window->Document();
  document.SetSize(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
  document.Clear();
  SetPicture(rows);
  document.RegenerateClues();
  document.ClearPicture();
  document.Redraw(-1, -1);
}
