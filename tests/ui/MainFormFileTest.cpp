
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "MainWindowFixture.h"

namespace {

const std::string kCross =
    "MK Version 3.0\r\n\r\n3 3\r\n\r\n ? ? ?\r\n ? ? ?\r\n ? ? ?\r\n\r\n"
    " 1\r\n 3\r\n 1\r\n\r\n 1\r\n 3\r\n 1\r\n\r\n";

// The file dialogs answer with a set name; before_answer runs first.
class TAnsweringWindow : public TfMain {
 public:
  QString answer;
  std::function<void(TfMain&)> before_answer = [](TfMain&) {};

 protected:
  bool ExecuteOpenDialog(QString& file_name) override { return ExecuteSaveDialog(file_name); }
  bool ExecuteSaveDialog(QString& file_name) override {
    before_answer(*this);
    file_name = answer;
    return true;
  }
};

class MainFormFileTest : public MainWindowFixture {
 protected:
  QString Write(const char* name, const std::string& text) {
    const QString path = folder.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
    return path;
  }

  QTemporaryDir folder;
};

TEST_F(MainFormFileTest, OpeningNamesThePuzzleAndAppliesTheLoadingOptions) {
  SetPicture({"#x#"});
  window->OpenFile(Write("cross.twice.ppixler", kCross), true, false);
  EXPECT_EQ(window->windowTitle(), "Pixlers solver - cross.twice");
  EXPECT_EQ(Picture(), (std::vector<std::string>{"...", "...", "..."}));
  window->OpenFile(Write("run.pixler", kCross), false, true);
  EXPECT_EQ(Picture(), (std::vector<std::string>{"x#x", "###", "x#x"}));
}

// The loading options must not act on the puzzle still on screen.
TEST_F(MainFormFileTest, RefusedFilesKeepThePuzzleItsNameAndCaption) {
  window->OpenFile(Write("kept.pixler", kCross), false, false);
  SetPicture({"#x#"});
  std::string bad_clue = kCross;
  bad_clue.replace(bad_clue.rfind(" 3\r\n"), 2, " z");
  const std::tuple<const char*, std::string, size_t> cases[] = {
      {"version.pixler", "MK Version 2.0\r\n\r\n3 3\r\n", 0},
      {"size.pixler", "MK Version 3.0\r\n\r\n0 3\r\n", 1},
      {"number.pixler", bad_clue, 1},
      {"missing.pixler", "", 1},
  };
  for (const auto& [name, text, messages] : cases) {
    platform->messages.clear();
    const QString path = folder.filePath(name);
    if (!text.empty()) Write(name, text);
    window->OpenFile(path, true, true);
    EXPECT_EQ(window->windowTitle(), "Pixlers solver - kept") << name;
    EXPECT_EQ(window->FileName(), folder.filePath("kept.pixler")) << name;
    EXPECT_EQ(Picture()[0], "#x#") << name;
    ASSERT_EQ(platform->messages.size(), messages) << name;
    if (messages > 0) {
      EXPECT_NE(platform->messages[0].text.find(name), std::string::npos);
    }
  }
}

TEST_F(MainFormFileTest, SavingRenamesOnlyWhenTheFileWasWritten) {
  window.reset();
  TAnsweringWindow answering;
  answering.OpenFile(Write("first.pixler", kCross), false, false);
  answering.answer = folder.filePath("no/such/folder/x.pixler");
  answering.MenuItemSave->trigger();
  ASSERT_EQ(platform->messages.size(), 1u);
  EXPECT_EQ(answering.windowTitle(), "Pixlers solver - first");

  answering.answer = folder.filePath("second.ppixler");
  answering.MenuItemSave->trigger();
  EXPECT_EQ(platform->messages.size(), 1u);
  EXPECT_EQ(answering.windowTitle(), "Pixlers solver - second");
  QFile file(answering.answer);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().toStdString(), kCross);
}

// Returning from the file dialog re-activates the window, which unchecks
// the loading options; they count as they were when Open was chosen.
TEST_F(MainFormFileTest, OpenReadsTheLoadingOptionsBeforeItsDialog) {
  window.reset();
  TAnsweringWindow unchecking;
  unchecking.answer = Write("cross.pixler", kCross);
  unchecking.before_answer = [](TfMain& w) { w.MenuItemRunAfterLoading->setChecked(false); };
  unchecking.MenuItemRunAfterLoading->setChecked(true);
  unchecking.MenuItemOpen->trigger();
  EXPECT_EQ(unchecking.Document().GetField().GetCell(2, 2), 1) << "the solver ran";
}

}  // namespace
