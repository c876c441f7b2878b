#include <QApplication>
#include <csignal>
#include <memory>

#include "puzzle/Platform.h"
#include "ui/DesktopArguments.h"
#include "ui/FileCommands.h"
#include "ui/MainForm.h"
#include "ui/QtPlatform.h"

int main(int argc, char* argv[]) {
  // Under a file-size limit a save or export past it must fail with its
  // cause and keep the old file, not end the program with the work unsaved.
  std::signal(SIGXFSZ, SIG_IGN);
  QCoreApplication::setApplicationName(QStringLiteral("Pixlers Solver"));
  QCoreApplication::setApplicationVersion(QStringLiteral("1.4"));
  const std::unique_ptr<QCoreApplication> application =
      DesktopArguments::AsksForTextOnly(argc, argv) ? std::make_unique<QCoreApplication>(argc, argv)
                                                    : std::make_unique<QApplication>(argc, argv);
  const QString file = DesktopArguments::FileToOpen(QCoreApplication::arguments());

  TQtPlatform platform;
  InstallPlatform(&platform);
  int result = 0;
  {
    TfMain main_window;
    main_window.show();
    main_window.Files().Start(file);
    result = QCoreApplication::exec();
  }
  InstallPlatform(nullptr);
  return result;
}
