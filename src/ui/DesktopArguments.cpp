#include "ui/DesktopArguments.h"

#include <QCommandLineParser>
#include <cstdio>
#include <cstdlib>
#include <cstring>

bool DesktopArguments::AsksForTextOnly(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    // Past "--" every argument is a file name.
    if (std::strcmp(argument, "--") == 0) return false;
    for (const char* option : {"-h", "-?", "--help", "--help-all", "-v", "--version"}) {
      if (std::strcmp(argument, option) == 0) return true;
    }
  }
  return false;
}

QString DesktopArguments::FileToOpen(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Simple pixlers auto-solver and editor: solve and draw nonograms."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("FILE"),
                               QStringLiteral("The puzzle to open (.pixler, .ppixler, .spixler)."),
                               QStringLiteral("[FILE]"));
  parser.process(arguments);
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) {
    std::fprintf(
        stderr, "%s\n",
        qPrintable(QStringLiteral("Only one FILE can be opened.\n\n") + parser.helpText()));
    std::exit(1);
  }
  return files.value(0);
}
