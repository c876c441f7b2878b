#include <QDir>
#include <QFile>
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

  QFile file(folder.filePath("readme.txt"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("First line\r\nsecond line\r\n\r\nlast\r\n");
  file.close();
  about.show();
  EXPECT_EQ(about.Manual->toPlainText(), "First line\nsecond line\n\nlast");
  QDir::setCurrent(previous);
}
