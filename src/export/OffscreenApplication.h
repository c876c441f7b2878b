#pragma once

#include <memory>

class QGuiApplication;

// Makes Qt's GUI layer usable for as long as it lives: when the program has
// no application, it creates a QGuiApplication on the "offscreen" platform
// and destroys it again at the end of its scope, so that nothing of it is
// left for the static destructors. Throws std::runtime_error when the
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
  std::unique_ptr<QGuiApplication> created_;
};
