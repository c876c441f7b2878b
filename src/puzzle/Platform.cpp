#include "puzzle/Platform.h"

#include <iostream>

namespace {

class THeadlessPlatform final : public TPlatform {
 public:
  TMessageResult ShowMessage(const std::string& caption, const std::string& text,
                             TMessageButtons buttons, TMessageIcon) override {
    std::cerr << caption << ": " << text << '\n';
    return buttons == TMessageButtons::YesNo ? TMessageResult::No : TMessageResult::Ok;
  }
  void ProcessMessages() override {}
};

THeadlessPlatform headless_platform;
TPlatform* installed_platform = &headless_platform;

}  // namespace

TPlatform& CurrentPlatform() {
  return *installed_platform;
}

TPlatform* InstallPlatform(TPlatform* platform) {
  TPlatform* previous = installed_platform == &headless_platform ? nullptr : installed_platform;
  installed_platform = platform != nullptr ? platform : &headless_platform;
  return previous;
}
