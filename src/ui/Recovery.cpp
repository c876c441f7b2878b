#include "ui/Recovery.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <exception>

#include "document/Pixler.h"
#include "puzzle/General.h"
#include "puzzle/Platform.h"

TRecovery::TRecovery(TPixler& document, QObject* parent) : QObject(parent), document_(document) {
  timer_.setInterval(kIntervalMs);
  connect(&timer_, &QTimer::timeout, this, &TRecovery::Keep);
  timer_.start();
}

QString TRecovery::Path() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
      .filePath(QStringLiteral("recovery.ppixler"));
}

bool TRecovery::Exists() const {
  return QFileInfo::exists(Path());
}

void TRecovery::Keep() {
  if (!document_.IsModified()) {
    Remove();
    return;
  }
  const QString path = Path();
  QDir().mkpath(QFileInfo(path).absolutePath());
  try {
    document_.SaveToFile(path.toStdString());
  } catch (const std::exception& error) {
    // A safety net that fails must not interrupt the work it guards every
    // minute; the next attempt may succeed, and a save still works.
    qWarning("Recovery file not written: %s", error.what());
  }
}

void TRecovery::Remove() {
  QFile::remove(Path());
}

bool TRecovery::Offer() {
  const QString path = Path();
  const QFileInfo file(path);
  if (!file.exists()) return false;
  const QString when = QLocale().toString(file.lastModified(), QLocale::LongFormat);
  if (!TGeneral::MessageAsk("Pixlers solver was not closed normally. Unsaved work was kept on " +
                            when.toStdString() + ".\rRestore it?")) {
    Remove();
    return false;
  }
  // A file that cannot be read stays for the user to look at.
  std::string failure = path.toStdString() + " is not a puzzle file.";
  try {
    if (document_.LoadFromFile(path.toStdString())) failure.clear();
  } catch (const std::exception& error) {
    failure = error.what();
  }
  if (!failure.empty()) {
    CurrentPlatform().ShowMessage(TGeneral::kCaption, failure, TMessageButtons::Ok,
                                  TMessageIcon::Error);
    return false;
  }
  document_.MarkModified();
  return true;
}
