#pragma once

#include <memory>
#include <string>

class QGuiApplication;

// Makes Qt's GUI layer usable for as long as it lives: when the program has
// no application, it creates a QGuiApplication on the "offscreen" platform
// and destroys it again at the end of its scope, so that nothing of it is
// left for the static destructors. Without a session's runtime folder it
// lends Qt a private one for that time, which Qt would otherwise warn about
// and make under /tmp for good. Throws std::runtime_error when the
// program has a QCoreApplication only, which cannot paint text.
class OffscreenApplication {
 public:
  OffscreenApplication();
  ~OffscreenApplication();
  OffscreenApplication(const OffscreenApplication&) = delete;
  OffscreenApplication& operator=(const OffscreenApplication&) = delete;

 private:
  // Qt keeps references to the arguments and rewrites them, so every
  // application gets its own, declared first to outlive it.
  int argc_ = 3;
  char* argv_[4] = {};
  // A private runtime folder made for the application when the session has
  // none (XDG_RUNTIME_DIR unset); removed with it.
  std::string runtime_folder_;
  std::unique_ptr<QGuiApplication> created_;
};
