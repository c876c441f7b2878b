#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>

#include "MainWindowFixture.h"

namespace {

const char* const kCross =
    "MK Version 3.0\r\n\r\n3 3\r\n\r\n ? ? ?\r\n ? ? ?\r\n ? ? ?\r\n\r\n"
    " 1\r\n 3\r\n 1\r\n\r\n 1\r\n 3\r\n 1\r\n\r\n";

// Types a name into the Open dialog once it shows, and accepts it.
void TypeIntoOpenDialog(const QString& name) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, name] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isActiveWindow()) return;
    timer->deleteLater();
    timer->stop();
    // As a person types it: the name edit has the focus.
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    edit->setFocus();
    edit->setText(name);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  timer->start(10);
}

using MainFormFileTest = MainWindowFixture;

// The loading options must not act on the puzzle still on screen.
TEST_F(MainFormFileTest, RefusedFilesKeepThePuzzleItsNameAndCaption) {
  Open("kept.pixler", kCross);
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
    window->Files().OpenFile(
        text.empty() ? folder.filePath(name) : Write(name, QByteArray::fromStdString(text)), true,
        true);
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

// A name typed into the Open dialog opens that file when it exists, and only
// otherwise the file with the default extension.
TEST_F(MainFormFileTest, TheNameAsTypedComesBeforeTheDefaultExtension) {
  for (const char* name : {"plain", "plain.pixler", "heart.pixler"}) Write(name, kOneCell);
  // Typed, the file opened.
  const std::pair<const char*, const char*> cases[] = {
      {"plain", "plain"}, {"heart", "heart.pixler"}, {"plain.pixler", "plain.pixler"}};
  for (const auto& [typed, opened] : cases) {
    TypeIntoOpenDialog(folder.filePath(typed));
    window->MenuItemOpen->trigger();
    EXPECT_EQ(window->Files().FileName(), folder.filePath(opened)) << typed;
    EXPECT_TRUE(platform->messages.empty()) << platform->messages.front().text;
  }
}

// Every example shipped beside the manual opens without a complaint, named on
// the command line as a person starting the program would.
TEST_F(MainFormFileTest, EveryShippedExampleOpens) {
  const QDir examples(QFileInfo(PIXLERS_MANUAL).dir().filePath("examples"));
  const QStringList names = examples.entryList(QDir::Files);
  ASSERT_FALSE(names.isEmpty());
  for (const QString& name : names) {
    window->Files().OpenFromCommandLine(examples.filePath(name));
    EXPECT_TRUE(platform->messages.empty()) << name.toStdString();
    EXPECT_EQ(window->Files().FileName(), examples.filePath(name));
  }
}

}  // namespace
