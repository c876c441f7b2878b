#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include "TestApplication.h"
#include "ui/About.h"

namespace {

// Runs the body with a fresh, empty current folder and restores the old one.
class AboutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    ASSERT_TRUE(folder.isValid());
    previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
  }
  void TearDown() override { QDir::setCurrent(previous); }

  void WriteManual(const QByteArray& bytes) {
    QFile file(folder.filePath("readme.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  QTemporaryDir folder;
  QString previous;
};

TEST_F(AboutTest, ShowsTheManualReadAfreshAtEveryShowing) {
  TfAbout about;
  EXPECT_EQ(about.windowTitle(), "Help...");
  about.show();
  EXPECT_EQ(about.Manual->toPlainText(), "Could not find readme.txt file..");
  about.hide();

  WriteManual("First line\r\nsecond line\r\n\r\nlast\r\n");
  about.show();
  EXPECT_EQ(about.Manual->toPlainText(), "First line\nsecond line\n\nlast");
  EXPECT_TRUE(about.Manual->isReadOnly());
  about.hide();

  WriteManual("changed\nwith bare line feeds\n");
  about.show();
  EXPECT_EQ(about.Manual->toPlainText(), "changed\nwith bare line feeds");
  about.hide();

  // A manual that went away leaves the last text on screen.
  QFile::remove(folder.filePath("readme.txt"));
  about.show();
  EXPECT_EQ(about.Manual->toPlainText(), "changed\nwith bare line feeds");
}

}  // namespace
