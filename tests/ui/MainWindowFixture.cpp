#include "MainWindowFixture.h"

#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>

#include "../puzzle/PuzzleTesting.h"

namespace {

int argc = 1;
char* argv[] = {const_cast<char*>("ui_tests"), nullptr};
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
  // Recovery files, best times and remembered settings go to folders of this
  // run, never the user's; a child run of a test is handed its parent's.
  if (std::getenv(kRecoveryChild) == nullptr) {
    static QTemporaryDir data_home;
    static QTemporaryDir config_home;
    setenv("XDG_DATA_HOME", data_home.path().toLocal8Bit().constData(), 1);
    setenv("XDG_CONFIG_HOME", config_home.path().toLocal8Bit().constData(), 1);
  }
  application = std::make_unique<QApplication>(argc, argv);
}

void MainWindowFixture::SetUp() {
  EnsureApplication();
  // Every test starts from the settings of a first run.
  QSettings().clear();
  platform = std::make_unique<TScriptedPlatform>();
  window = std::make_unique<TfMain>();
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  // Shortcuts reach only the active window.
  window->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QApplication::processEvents();
}

std::vector<std::string> MainWindowFixture::Picture() {
  return PictureOf(window->Document().GetField());
}

void MainWindowFixture::SetPicture(const std::vector<std::string>& rows) {
  for (size_t y = 0; y < rows.size(); ++y) {
    for (size_t x = 0; x < rows[y].size(); ++x)
      window->Document().GetField().SetCell(x + 1, y + 1, CellOf(rows[y][x]));
  }
  window->Document().Redraw(-1, -1);
}

void MainWindowFixture::MakePuzzle(const std::vector<std::string>& rows, bool keep_picture) {
  window->Document().SetSize(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
  window->Document().Clear();
  SetPicture(rows);
  window->Document().RegenerateClues();
  if (!keep_picture) window->Document().ClearPicture();
  window->Document().Redraw(-1, -1);
}
