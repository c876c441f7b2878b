#include "TestApplication.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <memory>

namespace {

int argc = 1;
char name[] = "ui_tests";
char* argv[] = {name, nullptr};
std::unique_ptr<QApplication> application;

// The application must go before main returns: left to the static
// destructors it would outlive parts of Qt it still needs on a real display.
class TApplicationEnvironment final : public ::testing::Environment {
 public:
  void TearDown() override { application.reset(); }
};

[[maybe_unused]] const ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new TApplicationEnvironment);

}  // namespace

void EnsureApplication() {
  if (QApplication::instance() != nullptr) return;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  application = std::make_unique<QApplication>(argc, argv);
}
