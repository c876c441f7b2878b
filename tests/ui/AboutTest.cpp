#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>

#include "MainWindowFixture.h"
#include "ui/About.h"

using AboutTest = MainWindowFixture;

// An installed program finds the manual under its prefix; the current folder
// comes first. The manual is read anew at every showing.
TEST_F(AboutTest, ShowsTheManualFromTheCurrentFolderOrTheProgramsPrefix) {
  const QString previous = QDir::currentPath();
  QDir::setCurrent(folder.path());
  TfAbout about;
  about.show();
  EXPECT_EQ(about.Manual->toPlainText(), "Could not find readme.txt file..");
  about.hide();

  const QString bin = folder.filePath("bin");
  QDir().mkpath(bin);
  QDir().mkpath(folder.filePath("share/doc/pixlers"));
  EXPECT_EQ(TfAbout::FindManual(bin), "");
  const QString manual = Write("share/doc/pixlers/readme.txt", "");
  EXPECT_EQ(QFileInfo(TfAbout::FindManual(bin)).canonicalFilePath(),
            QFileInfo(manual).canonicalFilePath());
  Write("readme.txt", "First line\r\nsecond line\r\n\r\nlast\r\n");
  EXPECT_EQ(TfAbout::FindManual(bin), "readme.txt");
  about.show();
  EXPECT_EQ(about.Manual->toPlainText(), "First line\nsecond line\n\nlast");
  QDir::setCurrent(previous);
}
