#include "export/OffscreenApplication.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <stdexcept>

namespace {

char kProgram[] = "pixlers";
char kPlatformOption[] = "-platform";
// Chosen over QT_QPA_PLATFORM, which may name a display that a command-line
// run does not have.
char kPlatform[] = "offscreen";

}  // namespace

OffscreenApplication::OffscreenApplication() {
  if (QCoreApplication::instance() == nullptr) {
    argv_[0] = kProgram;
    argv_[1] = kPlatformOption;
    argv_[2] = kPlatform;
    created_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    throw std::runtime_error("pictures and printouts need a QGuiApplication");
  }
}

OffscreenApplication::~OffscreenApplication() = default;
