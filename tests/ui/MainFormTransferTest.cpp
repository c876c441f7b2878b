#include "MainWindowFixture.h"

namespace {

class MainFormTransferTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    transfer = &Replace<TAnsweringWindow>();
  }

  TAnsweringWindow* transfer = nullptr;
};

// An image becomes a new puzzle in editor mode, its clues made from it,
// through Import and Open alike.
TEST_F(MainFormTransferTest, ImportedImageBecomesAPuzzleWithItsClues) {
  const std::vector<std::string> heart = {".#.#.", "#####", ".###.", "..#.."};
  transfer->answer = folder.filePath("heart.png");
  ASSERT_TRUE(Image(heart).save(transfer->answer));
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
TEST_F(MainFormTransferTest, ExportsWritePictureAndPrintoutOrNameTheRefusedFile) {
  Open("kept.pixler", "MK Version 3.0\r\n\r\n2 1\r\n\r\n # .\r\n\r\n 1\r\n\r\n\r\n 1\r\n");
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
