#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <cstdio>

#include "MainWindowFixture.h"
#include "ui/NewDialog.h"
#include "ui/Recovery.h"

namespace {

class RecoveryTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    QFile::remove(TRecovery::Path());
  }
  // A window whose file dialogs choose `answer`, showing a 2 by 2 puzzle.
  TAnsweringWindow& SavingWindow() {
    TAnsweringWindow& saving = Replace<TAnsweringWindow>();
    MakePuzzle({"#.", ".#"});
    return saving;
  }
};

TEST_F(RecoveryTest, UnsavedChangesAreSavedDiscardedOrKeptBeforeTheyAreReplaced) {
  // Rows: command, answer, whether the command went on, whether the save
  // dialog was shown.
  enum class Command { Close, New, Open };
  const std::tuple<Command, TMessageResult, bool, int> cases[] = {
      {Command::Close, TMessageResult::Cancel, false, 0},
      {Command::Close, TMessageResult::Discard, true, 0},
      {Command::Close, TMessageResult::Save, true, 1},
      {Command::New, TMessageResult::Cancel, false, 0},
      {Command::New, TMessageResult::Discard, true, 0},
      {Command::Open, TMessageResult::Cancel, false, 0},
      {Command::Open, TMessageResult::Save, true, 2},
  };
  for (const auto& [command, answer, went_on, dialogs] : cases) {
    TAnsweringWindow& saving = SavingWindow();
    saving.answer = folder.filePath("saved.pixler");
    QFile::remove(saving.answer);
    platform->messages.clear();
    platform->Answer(answer);
    // New shows its size dialog, which a went-on command leaves at once.
    QTimer::singleShot(0, window.get(), [this] {
      if (window->fNew->isVisible()) window->fNew->CancelButton->click();
    });
    if (command == Command::Close) {
      EXPECT_EQ(window->close(), went_on);
      EXPECT_EQ(window->isVisible(), !went_on);
    }
    if (command == Command::New) window->MenuItemNew->trigger();
    if (command == Command::Open) window->MenuItemOpen->trigger();
    ASSERT_EQ(platform->messages.size(), 1u);
    EXPECT_EQ(platform->messages[0].buttons, TMessageButtons::SaveDiscardCancel);
    EXPECT_EQ(platform->messages[0].text,
              "The puzzle has changes that are not saved.\rSave them first?");
    EXPECT_EQ(saving.dialogs, dialogs);
    EXPECT_EQ(QFileInfo::exists(saving.answer), answer == TMessageResult::Save);
  }
  // Nothing unsaved, nothing asked: a loaded file, and one just saved.
  platform->messages.clear();
  window->Files().OpenFile(folder.filePath("saved.pixler"), false, false);
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(platform->messages.empty());
}

// Run as a child of the test below: makes an edit, solves, and waits to be
// killed. It waits on its input, which the parent never writes, so that it
// also ends should the parent die first.
TEST_F(RecoveryTest, ChildEditsAndWaitsToBeKilled) {
  if (std::getenv(kRecoveryChild) == nullptr) GTEST_SKIP() << "runs as a child process only";
  MakePuzzle({"#.", ".#"});
  Click(window->ImageField, FieldCell(1, 1), Qt::LeftButton);
  window->MenuItemSolverFindPiece->trigger();
  std::puts("edited");
  std::fflush(stdout);
  while (std::getchar() != EOF) {
  }
}

TEST_F(RecoveryTest, WorkLostInACrashIsOfferedBackOnceAndNotAfterACleanClose) {
  QProcess child;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(kRecoveryChild, "1");
  child.setProcessEnvironment(environment);
  child.start(QCoreApplication::applicationFilePath(),
              {"--gtest_filter=RecoveryTest.ChildEditsAndWaitsToBeKilled"});
  ASSERT_TRUE(child.waitForStarted());
  while (!child.readAllStandardOutput().contains("edited")) {
    ASSERT_TRUE(child.waitForReadyRead(30000)) << "the child never edited";
  }
  child.kill();
  ASSERT_TRUE(child.waitForFinished());
  EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

  MakePuzzle({".", "."});
  platform->Answer(TMessageResult::Yes);
  window->Files().Start(QString());
  ASSERT_EQ(platform->messages.size(), 1u);
  EXPECT_NE(platform->messages[0].text.find("Unsaved work was kept on "), std::string::npos);
  EXPECT_EQ(Picture(), (std::vector<std::string>{"#.", ".."}));
  EXPECT_EQ(window->Document().GetLeft().GetCell(1, 2), 1);
  EXPECT_TRUE(window->Document().IsModified());

  // Declined or closed cleanly, the work is not offered again.
  platform->Answer(TMessageResult::Discard);
  EXPECT_TRUE(window->close());
  EXPECT_FALSE(window->Files().Recovery().Exists());
  platform->messages.clear();
  window->Files().Start(QString());
  EXPECT_TRUE(platform->messages.empty());
  window->Files().Recovery().Keep();
  platform->Answer(TMessageResult::No);
  window->Files().Start(QString());
  EXPECT_EQ(platform->messages.size(), 1u);
  EXPECT_FALSE(window->Files().Recovery().Exists());
}

// A solve keeps unsaved work, every minute too, and a save removes it. Work
// kept for a puzzle file goes back under that file's name, and a file named
// on the command line never replaces it; declined, that file opens.
TEST_F(RecoveryTest, RestoredWorkKeepsItsNameAndIsNotOpenedOver) {
  TAnsweringWindow& saving = SavingWindow();
  EXPECT_EQ(window->Files().Recovery().Timer().interval(), 60 * 1000);
  EXPECT_TRUE(window->Files().Recovery().Timer().isActive());
  SetPicture({"#.", ".."});
  // What the kept file holds is restored after a crash above.
  window->MenuItemSolverFindPiece->trigger();
  EXPECT_TRUE(window->Files().Recovery().Exists());
  saving.answer = folder.filePath("saved.pixler");
  window->MenuItemSave->trigger();
  EXPECT_FALSE(window->Files().Recovery().Exists());
  // Undone back to the saved state is nothing to keep.
  window->MenuItemUndo->trigger();
  window->MenuItemRedo->trigger();
  window->Files().Recovery().Keep();
  EXPECT_FALSE(window->Files().Recovery().Exists());
  SetPicture({"..", ".."});
  window->Files().Recovery().Keep();
  const QString other = Write("other.pixler", kOneCell);
  const std::tuple<TMessageResult, int, QString> cases[] = {{TMessageResult::Yes, 2, saving.answer},
                                                            {TMessageResult::No, 1, other}};
  for (const auto& [answer, width, name] : cases) {
    Replace<TfMain>();
    platform->messages.clear();
    platform->Answer(answer);
    window->Files().Start(other);
    ASSERT_EQ(platform->messages.size(), 1u);
    EXPECT_NE(platform->messages[0].text.find("Unsaved work on saved.pixler was kept on "),
              std::string::npos);
    EXPECT_NE(platform->messages[0].text.find("Restore it instead of opening other.pixler?"),
              std::string::npos);
    EXPECT_EQ(window->Document().GetWidth(), width);
    EXPECT_EQ(window->Files().FileName(), name);
  }
  EXPECT_EQ(Picture(), (std::vector<std::string>{"."}));
}

}  // namespace
