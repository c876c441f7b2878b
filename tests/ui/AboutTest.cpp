#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include "MainWindowFixture.h"
#include "ui/About.h"

TEST(AboutTest, ShowsReadmeFromTheCurrentFolderReadAtEveryShowing) {
  EnsureApplication();
  QTemporaryDir folder;
  const QString previous = QDir::currentPath();
  QDir::setCurrent(folder.path());
  TfAbout about;
  about.show();
  EXPECT_EQ(about.Manual->toPlainText(), "Could not find readme.txt file..");
  about.hide();

  WriteFile(folder, "readme.txt", "First line\r\nsecond line\r\n\r\nlast\r\n");
  about.show();
  EXPECT_EQ(about.Manual->toPlainText(), "First line\nsecond line\n\nlast");
  QDir::setCurrent(previous);
}

// An installed program finds the manual under its prefix; the current folder
// still comes first.
TEST(AboutTest, FindsTheManualInstalledUnderTheProgramsPrefix) {
  EnsureApplication();
  QTemporaryDir prefix;
  const QString previous = QDir::currentPath();
  QDir::setCurrent(prefix.path());
  const QString bin = prefix.filePath("bin");
  const QString manual = prefix.filePath("share/doc/pixlers/readme.txt");
  QDir().mkpath(bin);
  QDir().mkpath(QFileInfo(manual).path());
  EXPECT_EQ(TfAbout::FindManual(bin), "");
  QFile(manual).open(QIODevice::WriteOnly);
  EXPECT_EQ(QFileInfo(TfAbout::FindManual(bin)).canonicalFilePath(),
            QFileInfo(manual).canonicalFilePath());
  QFile(prefix.filePath("readme.txt")).open(QIODevice::WriteOnly);
  EXPECT_EQ(TfAbout::FindManual(bin), "readme.txt");
  QDir::setCurrent(previous);
}
