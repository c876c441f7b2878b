#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "ScriptedPlatform.h"
#include "TestApplication.h"
#include "ui/NewDialog.h"

namespace {

struct EntryCase {
  const char* width;
  const char* height;
  bool accepted;
  int32_t size_x;
  int32_t size_y;
};

// Enter goes to the default button; the range is not the dialog's business.
TEST(NewDialogTest, EnterAcceptsNumbersAndComplainsAboutTheRest) {
  const EntryCase cases[] = {
      {"abc", "5", false, 25, 40}, {"7", "x", false, 7, 40},   {"", "5", false, 25, 40},
      {"0", "101", true, 0, 101},  {"-3", " 4 ", true, -3, 4}, {"100", "100", true, 100, 100},
  };
  EnsureApplication();
  for (const EntryCase& entry : cases) {
    TScriptedPlatform platform;
    TfNew dialog;
    dialog.FSizeY = 40;
    dialog.show();
    EXPECT_EQ(dialog.SizeX->text(), "25");
    EXPECT_EQ(dialog.SizeY->text(), "40");
    dialog.SizeX->setText(entry.width);
    dialog.SizeY->setText(entry.height);
    QTest::keyClick(dialog.SizeX, Qt::Key_Return);
    const std::string name = std::string(entry.width) + " by " + entry.height;
    EXPECT_EQ(dialog.result() == QDialog::Accepted, entry.accepted) << name;
    EXPECT_EQ(dialog.isVisible(), !entry.accepted) << name;
    EXPECT_EQ(dialog.FSizeX, entry.size_x) << name;
    EXPECT_EQ(dialog.FSizeY, entry.size_y) << name;
    if (entry.accepted) {
      EXPECT_TRUE(platform.messages.empty()) << name;
    } else {
      ASSERT_EQ(platform.messages.size(), 1u) << name;
      EXPECT_EQ(platform.messages[0].caption, "Error!");
      EXPECT_EQ(platform.messages[0].text, "A number was awaited...");
      EXPECT_EQ(platform.messages[0].icon, TMessageIcon::Warning);
    }
  }
}

}  // namespace
