#include "ui/PlayCommands.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QSettings>
#include <QStandardPaths>

#include "document/Pixler.h"
#include "document/PixlerSearch.h"
#include "ui/MainForm.h"

namespace {

const QString kShowTimerKey = QStringLiteral("view/showTimer");
const QString kCrossOutKey = QStringLiteral("options/crossOutFinishedClues");
constexpr int kTickMs = 250;

QSettings Settings() {
  return QSettings(QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
                       .filePath(QStringLiteral("settings.ini")),
                   QSettings::IniFormat);
}

}  // namespace

PlayCommands::PlayCommands(TfMain& window, TPixler& document, PlayTimer::Clock clock)
    : window_(window),
      session_(std::make_unique<PlaySession>(document, *this, std::move(clock),
                                             BestTimesPath().toStdString())) {
  window.MenuItemShowTimer->setChecked(Settings().value(kShowTimerKey, false).toBool());
  window.MenuItemCrossOutClues->setChecked(Settings().value(kCrossOutKey, false).toBool());
  session_->SetAutoCrossOut(window.MenuItemCrossOutClues->isChecked());
  connect(&tick_, &QTimer::timeout, this, &PlayCommands::ShowTime);
  tick_.start(kTickMs);
  Restart();
}

PlayCommands::~PlayCommands() = default;

QString PlayCommands::BestTimesPath() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
      .filePath(QStringLiteral("best-times.txt"));
}

void PlayCommands::Restart() {
  window_.StatusPlay->clear();
  session_->Restart();
  ShowTime();
}

void PlayCommands::ShowTimer(bool on) {
  Settings().setValue(kShowTimerKey, on);
  ShowTime();
}

void PlayCommands::CrossOutClues(bool on) {
  Settings().setValue(kCrossOutKey, on);
  session_->SetAutoCrossOut(on);
}

void PlayCommands::CheckMistakes(PixlerSearch& search,
                                 const std::shared_ptr<ISolverCallback>& callback) {
  // What the check tells of the solution is help like any solver's.
  session_->NoteHelp();
  const std::string text = session_->ShowMistakes(search.FindMistakes(callback));
  if (!text.empty()) window_.StatusPlay->setText(QString::fromStdString(text));
}

void PlayCommands::ShowTime() {
  window_.StatusTimer->setVisible(window_.MenuItemShowTimer->isChecked());
  window_.StatusTimer->setText(QStringLiteral("Time: ") +
                               QString::fromStdString(PlaySession::TimeText(session_->Elapsed())));
}

// The change that asks for a refresh also outdates what a check found; a
// finish stays on show until the refresh takes it back.
void PlayCommands::PlayRefreshWanted() {
  if (!session_->Finished()) window_.StatusPlay->clear();
  QTimer::singleShot(0, this, [this] { session_->Refresh(); });
}

void PlayCommands::PlayFinished(const std::string& text) {
  window_.StatusPlay->setText(QString::fromStdString(text));
  ShowTime();
}
