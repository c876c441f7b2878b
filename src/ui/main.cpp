#include <QApplication>

#include "puzzle/Platform.h"
#include "ui/MainForm.h"
#include "ui/QtPlatform.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Pixlers Solver"));
  TQtPlatform platform;
  InstallPlatform(&platform);

  TfMain main_window;
  main_window.show();
  main_window.OfferRecovery();
  const int result = QApplication::exec();
  InstallPlatform(nullptr);
  return result;
}
