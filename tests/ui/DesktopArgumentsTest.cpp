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
  // Arguments, platform, exit status, and what standard output and standard
  // error contain.
  const std::tuple<QStringList, const char*, int, const char*, const char*> cases[] = {
      {{"puzzle.pixler", "--help"}, "xcb", 0, "Usage: ", ""},
      {{"-v"}, "xcb", 0, "Pixlers Solver 1.4\n", ""},
      {{"one.pixler", "two.pixler"}, "offscreen", 1, "", "Only one FILE can be opened."},
      {{"--bogus"}, "offscreen", 1, "", "Unknown option 'bogus'."},
  };
  for (const auto& [arguments, platform, status, out, error] : cases) {
    const std::string what = arguments.join(' ').toStdString();
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("QT_QPA_PLATFORM", platform);
    program.setProcessEnvironment(environment);
    program.start(PIXLERS_DESKTOP, arguments);
    ASSERT_TRUE(program.waitForFinished(20000)) << what;
    const std::string printed = program.readAllStandardOutput().toStdString();
    const std::string complaint = program.readAllStandardError().toStdString();
    EXPECT_EQ(program.exitCode(), status) << what << ": " << complaint;
    EXPECT_NE(printed.find(out), std::string::npos) << what << ": " << printed;
    EXPECT_NE(complaint.find(error), std::string::npos) << what << ": " << complaint;
  }
}
