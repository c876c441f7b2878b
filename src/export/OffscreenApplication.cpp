#include "export/OffscreenApplication.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
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
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || *runtime == '\0') {
      std::error_code error;
      std::filesystem::path temp = std::filesystem::temp_directory_path(error);
      if (error) temp = "/tmp";
      std::string pattern = (temp / "pixlers-runtime-XXXXXX").string();
      if (::mkdtemp(pattern.data()) != nullptr) {
        runtime_folder_ = pattern;
        ::setenv("XDG_RUNTIME_DIR", runtime_folder_.c_str(), 1);
      }
    }
    argv_[0] = kProgram;
    argv_[1] = kPlatformOption;
    argv_[2] = kPlatform;
    created_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    throw std::runtime_error("pictures and printouts need a QGuiApplication");
  }
}

OffscreenApplication::~OffscreenApplication() {
  created_.reset();
  if (!runtime_folder_.empty()) {
    ::unsetenv("XDG_RUNTIME_DIR");
    std::error_code ignored;
    std::filesystem::remove_all(runtime_folder_, ignored);
  }
}
