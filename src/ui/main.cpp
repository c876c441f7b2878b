#include <QApplication>
#include <memory>

#include "puzzle/Platform.h"
#include "puzzle/ProcessSetup.h"
#include "ui/DesktopArguments.h"
#include "ui/FileCommands.h"
#include "ui/MainForm.h"
#include "ui/QtPlatform.h"

int main(int argc, char* argv[]) {
  SetUpProcess();
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
