#include <QDir>
#include <QFileInfo>

#include "MainWindowFixture.h"

using ShippedExampleTest = MainWindowFixture;

// Every example shipped beside the manual opens without a complaint, named on
// the command line as a person starting the program would.
TEST_F(ShippedExampleTest, EveryShippedExampleOpens) {
  const QDir examples(QFileInfo(PIXLERS_MANUAL).dir().filePath("examples"));
  const QStringList names = examples.entryList(QDir::Files);
  ASSERT_FALSE(names.isEmpty());
  for (const QString& name : names) {
    window->Files().OpenFromCommandLine(examples.filePath(name));
    EXPECT_TRUE(platform->messages.empty()) << name.toStdString();
    EXPECT_EQ(window->Files().FileName(), examples.filePath(name));
  }
}
