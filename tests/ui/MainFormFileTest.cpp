

#include "MainWindowFixture.h"

const std::string kCross =
    "MK Version 3.0\r\n\r\n3 3\r\n\r\n ? ? ?\r\n ? ? ?\r\n ? ? ?\r\n\r\n"
    " 1\r\n 3\r\n 1\r\n\r\n 1\r\n 3\r\n 1\r\n\r\n";

class MainFormFileTest : public MainWindowFixture {
 protected:
  QString Write(const char* name, const std::string& text) {
    return WriteFile(folder, name, QByteArray::fromStdString(text));
  }

  QTemporaryDir folder;
};

// The loading options must not act on the puzzle still on screen.
TEST_F(MainFormFileTest, RefusedFilesKeepThePuzzleItsNameAndCaption) {
  window->Files().OpenFile(Write("kept.pixler", kCross), false, false);
  SetPicture({"#x#"});
  std::string bad_clue = kCross;
  bad_clue.replace(bad_clue.rfind(" 3\r\n"), 2, " z");
  const std::tuple<const char*, std::string, size_t> cases[] = {
      {"version.pixler", "MK Version 2.0\r\n\r\n3 3\r\n", 0},
      {"size.pixler", "MK Version 3.0\r\n\r\n0 3\r\n", 1},
      {"number.pixler", bad_clue, 1},
      {"missing.pixler", "", 1}};
  for (const auto& [name, text, messages] : cases) {
    platform->messages.clear();
    window->Files().OpenFile(text.empty() ? folder.filePath(name) : Write(name, text), true, true);
    EXPECT_EQ(window->windowTitle(), "Pixlers solver - kept") << name;
    EXPECT_EQ(window->Files().FileName(), folder.filePath("kept.pixler")) << name;
    EXPECT_EQ(Picture()[0], "#x#") << name;
    ASSERT_EQ(platform->messages.size(), messages) << name;
    EXPECT_TRUE(messages == 0 || platform->messages[0].text.find(name) != std::string::npos);
  }
}

// Returning from the file dialog re-activates the window, which unchecks
// the loading options; they count as they were when Open was chosen.
TEST_F(MainFormFileTest, OpenReadsItsOptionsFirstAndSaveRenamesOnlyWhenWritten) {
  TAnsweringWindow& answering = Replace<TAnsweringWindow>();
  answering.answer = Write("first.pixler", kCross);
  answering.on_dialog = [&] { answering.MenuItemRunAfterLoading->setChecked(false); };
  answering.MenuItemRunAfterLoading->setChecked(true);
  answering.MenuItemOpen->trigger();
  EXPECT_EQ(answering.Document().GetField().GetCell(2, 2), 1) << "the solver ran";

  platform->messages.clear();
  answering.answer = folder.filePath("no/such/folder/x.pixler");
  answering.MenuItemSave->trigger();
  EXPECT_EQ(platform->messages.size(), 1u);
  EXPECT_EQ(answering.windowTitle(), "Pixlers solver - first");
  answering.answer = folder.filePath("second.ppixler");
  answering.MenuItemSave->trigger();
  EXPECT_EQ(answering.windowTitle(), "Pixlers solver - second");
}
