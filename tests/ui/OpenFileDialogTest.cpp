#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include "MainWindowFixture.h"

namespace {

const char* const kPuzzle = "MK Version 3.0\r\n\r\n%1 1\r\n\r\n\r\n\r\n%2\r\n\r\n";

// Types a name into the Open dialog once it shows, and accepts it.
void TypeIntoOpenDialog(const QString& name) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, name] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isActiveWindow()) return;
    timer->deleteLater();
    timer->stop();
    // As a person types it: the name edit has the focus.
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    edit->setFocus();
    edit->setText(name);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  timer->start(10);
}

}  // namespace

using OpenFileDialogTest = MainWindowFixture;

TEST_F(OpenFileDialogTest, TheNameAsTypedComesBeforeTheDefaultExtension) {
  QTemporaryDir folder;
  // Puzzles of width 1, 2 and 3 tell the files apart.
  const std::pair<const char*, int> files[] = {
      {"plain", 1}, {"plain.pixler", 2}, {"heart.pixler", 3}};
  for (const auto& [name, width] : files)
    WriteFile(folder, name,
              QString(kPuzzle).arg(width).arg(QString("\r\n").repeated(width)).toLatin1());
  // Typed, the file opened.
  const std::pair<const char*, const char*> cases[] = {
      {"plain", "plain"}, {"heart", "heart.pixler"}, {"plain.pixler", "plain.pixler"}};
  for (const auto& [typed, opened] : cases) {
    TypeIntoOpenDialog(folder.filePath(typed));
    window->MenuItemOpen->trigger();
    EXPECT_EQ(window->Files().FileName(), folder.filePath(opened)) << typed;
    EXPECT_TRUE(platform->messages.empty()) << platform->messages.front().text;
  }
}
