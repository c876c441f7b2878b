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

// A refused file leaves the puzzle, its name and its caption as they were:
// the loading options must not act on the puzzle still on screen. The
// refusal names the file and its line. Open reads what Import reads, with the
// same checks; an image whose dialog is cancelled changes nothing either.
TEST_F(MainFormFileTest, RefusedFilesKeepThePuzzleItsNameAndCaption) {
  TAnsweringWindow& answering = Replace<TAnsweringWindow>();
  answering.accept_image = false;
  Open("kept.pixler", kCross);
  SetPicture({"#x#"});
  const std::string before = window->Document().FileText();
  std::string bad_clue = kCross;
  bad_clue.replace(bad_clue.rfind(" 3\r\n"), 2, " z");
  ASSERT_TRUE(Image({"##", "##"}).save(folder.filePath("fine.png")));
  const std::tuple<QString, size_t, const char*> cases[] = {
      {Write("version.pixler", "MK Version 2.0\r\n\r\n3 3\r\n"), 0, ""},
      {Write("size.pixler", "MK Version 3.0\r\n\r\n0 3\r\n"), 1, ""},
      {Write("number.pixler", QByteArray::fromStdString(bad_clue)), 1, ""},
      {folder.filePath("missing.pixler"), 1, ""},
      {Write("junk.png", QByteArray("\x89PNG\r\n\x1a\n\0\0garbage", 17)), 1, ""},
      {Write("empty.bmp", QByteArray()), 1, ""},
      {folder.filePath("missing.png"), 1, ""},
      {folder.filePath("fine.png"), 0, ""},
      {Write("broken.non", "width 3\nheight 2\nrows\n1\nx\ncolumns\n1\n1\n1\n"), 1, ", line 5"},
      {Write("broken.xml", "<puzzle><clues type=\"rows\">"), 1, ""},
  };
  for (const auto& [path, messages, where] : cases) {
    SCOPED_TRACE(path.toStdString());
    platform->messages.clear();
    window->Files().OpenFile(path, true, true);
    EXPECT_EQ(window->Document().FileText(), before);
    EXPECT_EQ(window->windowTitle(), "Pixlers solver - kept");
    EXPECT_EQ(window->Files().FileName(), folder.filePath("kept.pixler"));
    EXPECT_FALSE(window->MenuItemSwitchEditMode->isChecked());
    ASSERT_EQ(platform->messages.size(), messages);
    EXPECT_TRUE(messages == 0 ||
                platform->messages[0].text.find(path.toStdString() + where) != std::string::npos)
        << platform->messages[0].text;
  }
  EXPECT_EQ(answering.image_dialogs, 1);
}

// An image becomes a new puzzle in editor mode, its clues made from it,
// through Import and Open alike.
TEST_F(MainFormFileTest, ImportedImageBecomesAPuzzleWithItsClues) {
  TAnsweringWindow& transfer = Replace<TAnsweringWindow>();
  const std::vector<std::string> heart = {".#.#.", "#####", ".###.", "..#.."};
  transfer.answer = folder.filePath("heart.png");
  ASSERT_TRUE(Image(heart).save(transfer.answer));
  for (QAction* command : {window->MenuItemImport, window->MenuItemOpen}) {
    SCOPED_TRACE(command->text().toStdString());
    window->SetEditorMode(false);
    ASSERT_EQ(Open("old.pixler"), window->Files().FileName());
    command->trigger();
    EXPECT_EQ(Picture(), heart);
    // The clues are those the picture makes.
    const std::string imported = window->Document().FileText();
    window->Document().RegenerateClues();
    EXPECT_EQ(window->Document().FileText(), imported);
    EXPECT_TRUE(window->MenuItemSwitchEditMode->isChecked());
    EXPECT_EQ(window->Files().FileName(), "");
    EXPECT_EQ(window->windowTitle(), "Pixlers solver");
    window->Document().MarkClean();
  }
  EXPECT_TRUE(platform->messages.empty());
}

// Exports write the picture and the printout and leave the puzzle's name.
TEST_F(MainFormFileTest, ExportsWritePictureAndPrintoutOrNameTheRefusedFile) {
  TAnsweringWindow& transfer = Replace<TAnsweringWindow>();
  Open("kept.pixler", "MK Version 3.0\r\n\r\n2 1\r\n\r\n # .\r\n\r\n 1\r\n\r\n\r\n 1\r\n");
  ASSERT_EQ(Picture(), (std::vector<std::string>{"#x"}));
  transfer.answer = folder.filePath("picture.png");
  window->MenuItemExport->trigger();
  // The scale dialog's answer; the pixels are the export's own test.
  EXPECT_EQ(QImage(folder.filePath("picture.png")).size(), QSize(4, 2));

  platform->Answer(TMessageResult::Yes);
  window->Files().ExportFile(folder.filePath("print.pdf"));
  QFile pdf(folder.filePath("print.pdf"));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5) == "%PDF-");
  EXPECT_EQ(platform->unanswered, 0);
  EXPECT_EQ(platform->messages.size(), 1u);
  // Not solved, and the clues have two solutions: it is written without a
  // solution page, saying why.
  MakePuzzle({"#.", ".#"});
  platform->messages.clear();
  platform->Answer(TMessageResult::Yes);
  window->Files().ExportFile(folder.filePath("two.pdf"));
  ASSERT_EQ(platform->messages.size(), 2u);
  EXPECT_NE(platform->messages[1].text.find("more than one solution"), std::string::npos);
  EXPECT_TRUE(QFile::exists(folder.filePath("two.pdf")));

  for (const QString& refused : {folder.filePath("notes.txt"), folder.filePath("no/such.png")}) {
    platform->messages.clear();
    window->Files().ExportFile(refused);
    ASSERT_EQ(platform->messages.size(), 1u);
    EXPECT_NE(platform->messages[0].text.find(refused.toStdString()), std::string::npos);
    EXPECT_FALSE(QFile::exists(refused));
  }
  EXPECT_EQ(window->Files().FileName(), folder.filePath("kept.pixler"));
  EXPECT_EQ(window->windowTitle(), "Pixlers solver - kept");
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
