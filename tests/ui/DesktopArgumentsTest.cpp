#include <QProcess>
#include <QProcessEnvironment>

#include "MainWindowFixture.h"
#include "ui/DesktopArguments.h"

// Help and version, even after a file name, are tried on the built program
// below; past "--" every argument is a file name.
TEST(DesktopArgumentsTest, OnlyHelpAndVersionAnswerWithoutAWindow) {
  const std::pair<std::vector<const char*>, bool> cases[] = {
      {{"pixlers"}, false},
      {{"pixlers", "puzzle.pixler"}, false},
      {{"pixlers", "--", "--help"}, false},
  };
  for (const auto& [arguments, text_only] : cases) {
    std::vector<char*> argv;
    for (const char* argument : arguments) argv.push_back(const_cast<char*>(argument));
    EXPECT_EQ(DesktopArguments::AsksForTextOnly(static_cast<int>(argv.size()), argv.data()),
              text_only)
        << arguments.back();
  }
  EnsureApplication();
  EXPECT_EQ(DesktopArguments::FileToOpen({"pixlers", "puzzle.pixler"}), "puzzle.pixler");
  EXPECT_EQ(DesktopArguments::FileToOpen({"pixlers", "--", "-odd.pixler"}), "-odd.pixler");
  EXPECT_EQ(DesktopArguments::FileToOpen({"pixlers"}), "");
}

// The built program, on a machine without a display for help and version.
TEST(DesktopArgumentsTest, TheProgramAnswersOnItsStandardStreams) {
  struct Case {
    QStringList arguments;
    const char* platform;
    int status;
    const char* out;
    const char* error;
  };
  const Case cases[] = {
      {{"puzzle.pixler", "--help"}, "xcb", 0, "Usage: ", ""},
      {{"-v"}, "xcb", 0, "Pixlers Solver 1.4\n", ""},
      {{"one.pixler", "two.pixler"}, "offscreen", 1, "", "Only one FILE can be opened."},
      {{"--bogus"}, "offscreen", 1, "", "Unknown option 'bogus'."},
  };
  for (const Case& c : cases) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("QT_QPA_PLATFORM", c.platform);
    program.setProcessEnvironment(environment);
    program.start(PIXLERS_DESKTOP, c.arguments);
    ASSERT_TRUE(program.waitForFinished(20000)) << c.arguments.join(' ').toStdString();
    const std::string out = program.readAllStandardOutput().toStdString();
    const std::string error = program.readAllStandardError().toStdString();
    const std::string what = c.arguments.join(' ').toStdString();
    EXPECT_EQ(program.exitCode(), c.status) << what << ": " << error;
    EXPECT_NE(out.find(c.out), std::string::npos) << what << ": " << out;
    EXPECT_NE(error.find(c.error), std::string::npos) << what << ": " << error;
  }
}
