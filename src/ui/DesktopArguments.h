#pragma once

#include <QString>
#include <QStringList>

// The desktop program's command line: "pixlers [FILE]", as a file manager's
// "Open with" starts it, and --help and --version.
class DesktopArguments {
 public:
  // Help and version are answered on standard output without a window, and so
  // without a display: main makes a plain core application for them.
  static bool AsksForTextOnly(int argc, char* argv[]);

  // The file to open, or an empty name. Help and version are answered, and
  // unknown options or a second file refused, on the standard streams, which
  // ends the process there.
  static QString FileToOpen(const QStringList& arguments);
};
