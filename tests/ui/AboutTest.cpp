#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include "MainWindowFixture.h"
#include "ui/About.h"

// An installed program finds the manual under its prefix; the current folder
// comes first. The manual is read anew at every showing.
TEST(AboutTest, ShowsTheManualFromTheCurrentFolderOrTheProgramsPrefix) {
  EnsureApplication();
  QTemporaryDir prefix;
  const QString previous = QDir::currentPath();
  QDir::setCurrent(prefix.path());
  TfAbout about;
  about.show();
  EXPECT_EQ(about.Manual->toPlainText(), "Could not find readme.txt file..");
  about.hide();

  const QString bin = prefix.filePath("bin");
  const QString manual = prefix.filePath("share/doc/pixlers/readme.txt");
  QDir().mkpath(bin);
  QDir().mkpath(QFileInfo(manual).path());
  EXPECT_EQ(TfAbout::FindManual(bin), "");
  QFile(manual).open(QIODevice::WriteOnly);
  EXPECT_EQ(QFileInfo(TfAbout::FindManual(bin)).canonicalFilePath(),
            QFileInfo(manual).canonicalFilePath());
  WriteFile(prefix, "readme.txt", "First line\r\nsecond line\r\n\r\nlast\r\n");
  EXPECT_EQ(TfAbout::FindManual(bin), "readme.txt");
  about.show();
  EXPECT_EQ(about.Manual->toPlainText(), "First line\nsecond line\n\nlast");
  QDir::setCurrent(previous);
}
