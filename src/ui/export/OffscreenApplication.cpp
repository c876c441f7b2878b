#include "ui/export/OffscreenApplication.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <stdexcept>

void EnsureGuiApplication() {
  if (QCoreApplication::instance() == nullptr) {
    // The arguments choose the platform over QT_QPA_PLATFORM, which may name
    // a display that a command-line run does not have. Qt keeps a reference
    // to argc, so both live as long as the application.
    static int argc = 3;
    static char* argv[] = {const_cast<char*>("pixlers"), const_cast<char*>("-platform"),
                           const_cast<char*>("offscreen"), nullptr};
    // Deliberately never destroyed: at static destruction time parts of Qt
    // that the application's destructor needs may already be gone. Qt holds
    // the pointer as its current application.
    new QGuiApplication(argc, argv);
  }
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    throw std::runtime_error("pictures and printouts need a QGuiApplication");
  }
}
