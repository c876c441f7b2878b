#include "ui/Recovery.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QStandardPaths>
#include <exception>
#include <stdexcept>

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

QString TRecovery::NamePath() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
      .filePath(QStringLiteral("recovery.name"));
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
    QSaveFile name(NamePath());
    if (!name.open(QIODevice::WriteOnly) || name.write(puzzle_name_.toUtf8()) < 0 ||
        !name.commit()) {
      throw std::runtime_error(NamePath().toStdString() + ": " + name.errorString().toStdString());
    }
  } catch (const std::exception& error) {
    // A safety net that fails must not interrupt the work it guards every
    // minute; the next attempt may succeed, and a save still works.
    qWarning("Recovery file not written: %s", error.what());
  }
}

void TRecovery::Remove() {
  QFile::remove(Path());
  QFile::remove(NamePath());
}

bool TRecovery::Offer(const QString& instead_of) {
  restored_name_.clear();
  const QString path = Path();
  const QFileInfo file(path);
  if (!file.exists()) return false;
  const QString when = QLocale().toString(file.lastModified(), QLocale::LongFormat);
  QFile name_file(NamePath());
  const QString name =
      name_file.open(QIODevice::ReadOnly) ? QString::fromUtf8(name_file.readAll()) : QString();
  const std::string on = name.isEmpty() ? "" : " on " + QFileInfo(name).fileName().toStdString();
  const std::string restore =
      instead_of.isEmpty()
          ? "Restore it?"
          : "Restore it instead of opening " + QFileInfo(instead_of).fileName().toStdString() + "?";
  if (!TGeneral::MessageAsk("Pixlers solver was not closed normally. Unsaved work" + on +
                            " was kept on " + when.toStdString() + ".\r" + restore)) {
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
  restored_name_ = name;
  return true;
}
