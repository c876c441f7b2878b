#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <optional>

#include "MainWindowFixture.h"
#include "document/GeneratedPuzzle.h"
#include "document/PixlerFile.h"
#include "ui/NewRandomDialog.h"

namespace {

// A window whose random-puzzle dialog makes `answer`, or is cancelled.
class TRandomWindow : public TfMain {
 public:
  std::optional<search::Generated> answer;

 protected:
  bool ExecuteNewRandomDialog(search::Generated& generated) override {
    if (answer) generated = *answer;
    return answer.has_value();
  }
};

class NewRandomTest : public MainWindowFixture {};

TEST_F(NewRandomTest, OpensTheMadePuzzleUnsolvedInSolverMode) {
  TRandomWindow& random = Replace<TRandomWindow>();
  window->SetEditorMode(true);
  const std::string before = window->Document().FileText();
  random.MenuItemNewRandom->trigger();
  EXPECT_EQ(window->Document().FileText(), before);

  random.answer = search::GeneratePuzzle({7, 5, search::Grade::probing, 0.5, 3}, {});
  ASSERT_TRUE(random.answer->found);
  random.MenuItemNewRandom->trigger();
  // The clues made, every cell undecided.
  EXPECT_EQ(window->Document().FileText(), TPixlerFile::Format(*PuzzleOf(*random.answer).data));
  EXPECT_FALSE(window->MenuItemSwitchEditMode->isChecked());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Pixlers solver"));
  EXPECT_FALSE(window->Document().IsModified());
}

TEST_F(NewRandomTest, TheDialogMakesRefusesAndStops) {
  TfNewRandom made;
  made.show();
  made.Width->setValue(6);
  made.Height->setValue(7);
  made.Difficulty->setCurrentIndex(2);
  EXPECT_EQ(made.Density->value(), 40);
  made.Difficulty->setCurrentIndex(1);
  EXPECT_EQ(made.Density->value(), 50);
  made.MakeButton->click();
  QTRY_VERIFY_WITH_TIMEOUT(!made.isVisible(), 60000);
  EXPECT_EQ(made.result(), QDialog::Accepted);
  const search::Clues& clues = made.Made().clues;
  const search::Result check = search::FindSolutions(clues, {}, {});
  EXPECT_EQ(std::tuple(clues.width, clues.height, check.Unique(), check.grade),
            std::tuple(6, 7, true, search::Grade::probing));

  // Search on 2 by 2 cells cannot be met: the dialog says so and stays open.
  TfNewRandom refused;
  refused.show();
  refused.Width->setValue(2);
  refused.Height->setValue(2);
  refused.Difficulty->setCurrentIndex(2);
  refused.MakeButton->click();
  QTRY_VERIFY_WITH_TIMEOUT(!refused.Running(), 60000);
  EXPECT_TRUE(refused.isVisible() && refused.MakeButton->isEnabled());
  EXPECT_TRUE(refused.Status->text().startsWith(QStringLiteral("No puzzle")));

  // Stop ends the work and keeps the dialog; a generator that waits for the
  // stop makes this independent of speed.
  TfNewRandom stopped(nullptr,
                      [](const search::GenerateRequest&, const search::GenerateLimits& limits) {
                        while (!limits.stop->load()) std::this_thread::yield();
                        search::Generated generated;
                        generated.stopped = true;
                        return generated;
                      });
  stopped.show();
  stopped.MakeButton->click();
  EXPECT_TRUE(stopped.Running());
  EXPECT_FALSE(stopped.Width->isEnabled());
  EXPECT_EQ(stopped.CancelButton->text(), QStringLiteral("&Stop"));
  QTest::keyClick(&stopped, Qt::Key_Escape);
  QTRY_VERIFY_WITH_TIMEOUT(!stopped.Running(), 60000);
  EXPECT_TRUE(stopped.isVisible());
  EXPECT_EQ(stopped.Status->text(), QStringLiteral("Stopped."));
  EXPECT_EQ(stopped.CancelButton->text(), QStringLiteral("&Cancel"));
  stopped.CancelButton->click();
  EXPECT_FALSE(stopped.isVisible());
  EXPECT_EQ(stopped.result(), QDialog::Rejected);
}

}  // namespace
