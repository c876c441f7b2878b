#include <QMenu>

#include "MainWindowFixture.h"
#include "document/ExchangePuzzle.h"
#include "ui/ImportImageDialog.h"

namespace {

// The image dialog answers with its own first offer, the scale dialog with
// a scale.
class TTransferWindow : public TAnsweringWindow {
 public:
  bool accept_image = true;
  int scale = 2;
  int image_dialogs = 0;

 protected:
  bool ExecuteImageDialog(const QImage& image, CellPicture& cells) override {
    ++image_dialogs;
    cells = ImportImageDialog(image, this).Picture();
    return accept_image;
  }
  bool ExecutePngScaleDialog(int& chosen) override {
    chosen = scale;
    return true;
  }
};

class MainFormTransferTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    transfer = &Replace<TTransferWindow>();
  }

  QString Write(const char* name, const QByteArray& bytes) {
    return WriteFile(folder, name, bytes);
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

  TTransferWindow* transfer = nullptr;
  QTemporaryDir folder;
};

// The File menu offers import and export after Save; an image becomes a new
// puzzle in editor mode, its clues made from it.
TEST_F(MainFormTransferTest, ImportedImageBecomesAPuzzleWithItsClues) {
  QStringList captions;
  for (const QAction* item : window->MenuItemFile->actions()) captions << item->text();
  EXPECT_EQ(captions.join('|'),
            "&New|New random puzzle...|&Open...|&Save...|Import...|Export...|Clear picture||Exit");
  window->Files().OpenFile(
      Write("old.pixler", "MK Version 3.0\r\n\r\n1 1\r\n\r\n ?\r\n\r\n 1\r\n\r\n 1\r\n"), false,
      false);
  ASSERT_EQ(window->Files().FileName(), folder.filePath("old.pixler"));
  transfer->answer = WriteImage("heart.png", {".#.#.", "#####", ".###.", "..#.."});
  window->MenuItemImport->trigger();
  EXPECT_EQ(Picture(), (std::vector<std::string>{".#.#.", "#####", ".###.", "..#.."}));
  EXPECT_EQ(Clues(true), (std::vector<int>{1, 0, 3, 0, 3, 0, 3, 0, 1, 0}));
  EXPECT_EQ(Clues(false), (std::vector<int>{1, 1, 0, 5, 0, 3, 0, 1, 0}));
  EXPECT_TRUE(window->MenuItemSwitchEditMode->isChecked());
  EXPECT_TRUE(window->MenuItemRegenerateClues->isEnabled());
  EXPECT_EQ(window->Files().FileName(), "");
  EXPECT_EQ(window->windowTitle(), "Pixlers solver");
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
    window->Files().ImportFile(c.path);
    EXPECT_EQ(Picture(), (std::vector<std::string>{"#x.", ".#."}));
    EXPECT_EQ(Clues(true), (std::vector<int>{1, 0, 1, 0, 1, 0}));
    EXPECT_FALSE(window->MenuItemSwitchEditMode->isChecked());
    ASSERT_EQ(platform->messages.size(), c.messages);
    if (c.messages > 0) {
      EXPECT_NE(platform->messages[0].text.find(c.path.toStdString() + c.where), std::string::npos)
          << platform->messages[0].text;
    }
  }
  EXPECT_EQ(transfer->image_dialogs, 1);
}

// The exchange formats go out and back in through the window.
TEST_F(MainFormTransferTest, ExchangeFormatsExportAndImportAgain) {
  MakePuzzle({"##.#", ".#..", "####"});
  const std::vector<int> columns = Clues(true);
  const std::vector<int> rows = Clues(false);
  for (const char* name : {"puzzle.non", "puzzle.xml"}) {
    SCOPED_TRACE(name);
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
    window->MenuItemImport->trigger();
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
  const QImage image(folder.filePath("picture.png"));
  ASSERT_EQ(image.size(), QSize(4, 2));
  EXPECT_EQ(image.pixel(1, 1), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(2, 1), qRgb(255, 255, 255));

  platform->Answer(TMessageResult::Yes);
  window->Files().ExportFile(folder.filePath("print.pdf"));
  QFile pdf(folder.filePath("print.pdf"));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5) == "%PDF-");
  EXPECT_EQ(platform->unanswered, 0);
  EXPECT_EQ(platform->messages.size(), 1u);

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
