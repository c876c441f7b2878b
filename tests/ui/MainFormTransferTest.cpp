#include <QMenu>

#include "MainWindowFixture.h"
#include "document/ExchangePuzzle.h"

namespace {

class MainFormTransferTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    transfer = &Replace<TAnsweringWindow>();
  }

  // A picture as an image file, one pixel per cell.
  QString WriteImage(const char* name, const std::vector<std::string>& rows) {
    const QString path = folder.filePath(name);
    EXPECT_TRUE(Image(rows).save(path));
    return path;
  }

  // Every line's clues, first clue first, each line ended by a 0.
  std::vector<int> Clues(bool columns) {
    const auto data = window->Document().FileData();
    std::vector<int> clues;
    for (int line = 1; line <= (columns ? data->width : data->height); ++line) {
      for (int clue : LineClues(*data, columns, line)) clues.push_back(clue);
      clues.push_back(0);
    }
    return clues;
  }

  TAnsweringWindow* transfer = nullptr;
};

// The File menu offers import and export after Save; an image becomes a new
// puzzle in editor mode, its clues made from it, through Import and Open
// alike.
TEST_F(MainFormTransferTest, ImportedImageBecomesAPuzzleWithItsClues) {
  QStringList captions;
  for (const QAction* item : window->MenuItemFile->actions()) captions << item->text();
  EXPECT_EQ(captions.join('|'),
            "&New|New random puzzle...|&Open...|&Save...|Import...|Export...|Clear picture||Exit");
  for (QAction* command : {window->MenuItemImport, window->MenuItemOpen}) {
    SCOPED_TRACE(command->text().toStdString());
    window->SetEditorMode(false);
    window->Files().OpenFile(
        Write("old.pixler", "MK Version 3.0\r\n\r\n1 1\r\n\r\n ?\r\n\r\n 1\r\n\r\n 1\r\n"), false,
        false);
    ASSERT_EQ(window->Files().FileName(), folder.filePath("old.pixler"));
    transfer->answer = WriteImage("heart.png", {".#.#.", "#####", ".###.", "..#.."});
    command->trigger();
    EXPECT_EQ(Picture(), (std::vector<std::string>{".#.#.", "#####", ".###.", "..#.."}));
    EXPECT_EQ(Clues(true), (std::vector<int>{1, 0, 3, 0, 3, 0, 3, 0, 1, 0}));
    EXPECT_EQ(Clues(false), (std::vector<int>{1, 1, 0, 5, 0, 3, 0, 1, 0}));
    EXPECT_TRUE(window->MenuItemSwitchEditMode->isChecked());
    EXPECT_TRUE(window->MenuItemRegenerateClues->isEnabled());
    EXPECT_EQ(window->Files().FileName(), "");
    EXPECT_EQ(window->windowTitle(), "Pixlers solver");
    window->Document().MarkClean();
  }
  EXPECT_TRUE(platform->messages.empty());
}

// Files that are no image, a cancelled dialog and a refused puzzle file
// leave everything as it was; the refusal names the file and its line.
TEST_F(MainFormTransferTest, RefusedImportsChangeNothing) {
  MakePuzzle({"#.#", ".#."});
  SetPicture({"#x.", ".#."});
  const QString image = WriteImage("fine.png", {"##", "##"});
  const struct {
    const char* name;
    QString path;
    size_t messages;
    const char* where = "";
  } cases[] = {
      {"junk.png", Write("junk.png", QByteArray("\x89PNG\r\n\x1a\n\0\0garbage", 17)), 1},
      {"empty.bmp", Write("empty.bmp", QByteArray()), 1},
      {"missing.png", folder.filePath("missing.png"), 1},
      {"fine.png", image, 0},
      {"broken.non", Write("broken.non", "width 3\nheight 2\nrows\n1\nx\ncolumns\n1\n1\n1\n"), 1,
       ", line 5"},
  };
  transfer->accept_image = false;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    platform->messages.clear();
    // Open reads what Import reads, with the same checks.
    for (bool open : {false, true}) {
      platform->messages.clear();
      if (open) {
        window->Files().OpenFile(c.path, true, true);
      } else {
        window->Files().ImportFile(c.path);
      }
      EXPECT_EQ(Picture(), (std::vector<std::string>{"#x.", ".#."}));
      EXPECT_EQ(Clues(true), (std::vector<int>{1, 0, 1, 0, 1, 0}));
      EXPECT_FALSE(window->MenuItemSwitchEditMode->isChecked());
      ASSERT_EQ(platform->messages.size(), c.messages);
      if (c.messages > 0) {
        EXPECT_NE(platform->messages[0].text.find(c.path.toStdString() + c.where),
                  std::string::npos)
            << platform->messages[0].text;
      }
    }
  }
  EXPECT_EQ(transfer->image_dialogs, 2);
}

// The exchange formats go out and back in through the window.
TEST_F(MainFormTransferTest, ExchangeFormatsExportAndImportAgain) {
  MakePuzzle({"##.#", ".#..", "####"});
  const std::vector<int> columns = Clues(true);
  const std::vector<int> rows = Clues(false);
  const std::pair<const char*, QAction*> cases[] = {{"puzzle.non", window->MenuItemImport},
                                                    {"puzzle.xml", window->MenuItemImport},
                                                    {"puzzle.non", window->MenuItemOpen},
                                                    {"puzzle.xml", window->MenuItemOpen}};
  for (const auto& [name, command] : cases) {
    SCOPED_TRACE(name + command->text().toStdString());
    window->Files().OpenFile(
        Write("kept.pixler", "MK Version 3.0\r\n\r\n1 1\r\n\r\n ?\r\n\r\n 1\r\n\r\n 1\r\n"), false,
        false);
    MakePuzzle({"##.#", ".#..", "####"});
    window->Files().ExportFile(folder.filePath(name));
    EXPECT_EQ(window->Files().FileName(), folder.filePath("kept.pixler"));
    MakePuzzle({"#.#", "..."});
    // Unsaved changes would first bring the save question.
    window->Document().MarkClean();
    transfer->answer = folder.filePath(name);
    command->trigger();
    EXPECT_EQ(Picture(), (std::vector<std::string>{"....", "....", "...."}));
    EXPECT_EQ(Clues(true), columns);
    EXPECT_EQ(Clues(false), rows);
    EXPECT_EQ(window->Files().FileName(), "");
    EXPECT_EQ(window->windowTitle(), "Pixlers solver");
  }
  EXPECT_TRUE(platform->messages.empty());
}

// Exports write the picture and the printout and leave the puzzle's name.
TEST_F(MainFormTransferTest, ExportsWritePictureAndPrintoutOrNameTheRefusedFile) {
  window->Files().OpenFile(
      Write("kept.pixler", "MK Version 3.0\r\n\r\n2 1\r\n\r\n # .\r\n\r\n 1\r\n\r\n\r\n 1\r\n"),
      false, false);
  ASSERT_EQ(Picture(), (std::vector<std::string>{"#x"}));
  transfer->answer = folder.filePath("picture.png");
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

}  // namespace
