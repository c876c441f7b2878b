#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "TestApplication.h"
#include "document/Pixler.h"
#include "ui/MainForm.h"

namespace {

const char* const kCross =
    "MK Version 3.0\r\n\r\n3 3\r\n\r\n ? ? ?\r\n ? ? ?\r\n ? ? ?\r\n\r\n"
    " 1\r\n 3\r\n 1\r\n\r\n 1\r\n 3\r\n 1\r\n\r\n";

// The cross with a row clue that is not a number.
std::string BadClue() {
  std::string text = kCross;
  return text.replace(text.rfind(" 3\r\n"), 2, " z");
}

class MainFormFileTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    ASSERT_TRUE(folder.isValid());
  }

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
  window->OpenFile(Write("cross.ppixler", kCross), false, false);
  EXPECT_EQ(window->windowTitle(), "Pixlers solver - cross");
  EXPECT_EQ(Picture(), (std::vector<std::string>{"...", "...", "..."}));

  SetPicture({"#x#"});
  window->OpenFile(Write("cross.twice.pixler", kCross), true, false);
  EXPECT_EQ(window->windowTitle(), "Pixlers solver - cross.twice");
  EXPECT_EQ(Picture()[0], "...");

  window->OpenFile(Write("run.pixler", kCross), false, true);
  // The last of the passes decides nothing and drops the new-cell marks.
  EXPECT_EQ(Picture(), (std::vector<std::string>{"x#x", "###", "x#x"}));
  EXPECT_TRUE(platform->messages.empty());
}

// A refused or passed-over file leaves the puzzle, its name and caption, and
// the loading options must not act on the puzzle still on screen.
TEST_F(MainFormFileTest, RefusedFilesChangeNothing) {
  window->OpenFile(Write("kept.pixler", kCross), false, false);
  SetPicture({"#x#"});
  struct Case {
    const char* name;
    std::string text;
    bool message;
  };
  const Case cases[] = {
      {"version.pixler", "MK Version 2.0\r\n\r\n3 3\r\n", false},
      {"size.pixler", "MK Version 3.0\r\n\r\n0 3\r\n", true},
      {"number.pixler", BadClue(), true},
  };
  for (const Case& c : cases) {
    platform->messages.clear();
    window->OpenFile(Write(c.name, c.text), true, true);
    EXPECT_EQ(window->windowTitle(), "Pixlers solver - kept") << c.name;
    EXPECT_EQ(window->FileName(), folder.filePath("kept.pixler")) << c.name;
    EXPECT_EQ(Picture()[0], "#x#") << c.name;
    ASSERT_EQ(platform->messages.size(), c.message ? 1u : 0u) << c.name;
    if (c.message) {
      EXPECT_NE(platform->messages[0].text.find(c.name), std::string::npos)
          << platform->messages[0].text;
    }
  }
  platform->messages.clear();
  window->OpenFile(folder.filePath("missing.pixler"), false, false);
  ASSERT_EQ(platform->messages.size(), 1u);
  EXPECT_EQ(window->windowTitle(), "Pixlers solver - kept");
}

TEST_F(MainFormFileTest, SavingRenamesOnlyWhenTheFileWasWritten) {
  window->OpenFile(Write("first.pixler", kCross), false, false);
  SetPicture({".#."});
  const QString saved = folder.filePath("second.ppixler");
  // Saving goes through a dialog; a window whose dialog answers is enough.
  class TAnsweringWindow : public TfMain {
   public:
    QString answer;

   protected:
    bool ExecuteSaveDialog(QString& file_name) override {
      file_name = answer;
      return true;
    }
  };
  window.reset();
  auto answering = std::make_unique<TAnsweringWindow>();
  answering->OpenFile(folder.filePath("first.pixler"), false, false);
  answering->answer = folder.filePath("no/such/folder/x.pixler");
  answering->MenuItemSave->trigger();
  ASSERT_EQ(platform->messages.size(), 1u);
  EXPECT_EQ(answering->windowTitle(), "Pixlers solver - first");

  answering->answer = saved;
  answering->MenuItemSave->trigger();
  EXPECT_EQ(platform->messages.size(), 1u);
  EXPECT_EQ(answering->windowTitle(), "Pixlers solver - second");
  QFile file(saved);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().toStdString(), kCross);
}

// Returning from the file dialog re-activates the window, which unchecks
// the loading options; they count as they were when Open was chosen.
TEST_F(MainFormFileTest, OpenReadsTheLoadingOptionsBeforeItsDialog) {
  class TUncheckingWindow : public TfMain {
   public:
    QString answer;

   protected:
    bool ExecuteOpenDialog(QString& file_name) override {
      MenuItemClearAfterLoading->setChecked(false);
      MenuItemRunAfterLoading->setChecked(false);
      file_name = answer;
      return true;
    }
  };
  window.reset();
  TUncheckingWindow unchecking;
  unchecking.answer = Write("cross.pixler", kCross);
  unchecking.MenuItemRunAfterLoading->setChecked(true);
  unchecking.MenuItemOpen->trigger();
  EXPECT_EQ(unchecking.FileName(), unchecking.answer);
  EXPECT_EQ(unchecking.Document().GetField().GetCell(2, 2), 1) << "the solver ran";
}

}  // namespace
