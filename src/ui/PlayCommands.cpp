#include "ui/PlayCommands.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>

#include "document/Pixler.h"
#include "document/PixlerSearch.h"
#include "ui/MainForm.h"

namespace {

const char* const kShowTimerKey = "view/showTimer";
const char* const kCrossOutKey = "options/crossOutFinishedClues";
constexpr int kTickMs = 250;

QSettings Settings() {
  return QSettings(QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
                       .filePath(QStringLiteral("settings.ini")),
                   QSettings::IniFormat);
}

QAction* CheckItem(QMenu* menu, const char* caption, const char* key, bool start) {
  QAction* item = menu->addAction(QString::fromLatin1(caption));
  item->setCheckable(true);
  item->setChecked(Settings().value(QString::fromLatin1(key), start).toBool());
  return item;
}

}  // namespace

PlayCommands::PlayCommands(TfMain& window, PlayTimer::Clock clock)
    : QObject(&window), window_(window) {
  session_ = std::make_unique<PlaySession>(window.Document(), *this, std::move(clock),
                                           BestTimesPath().toStdString());

  window.MenuItemView->addSeparator();
  MenuItemShowTimer = CheckItem(window.MenuItemView, "Show timer", kShowTimerKey, false);
  window.MenuItemOptions->addSeparator();
  MenuItemCrossOutClues =
      CheckItem(window.MenuItemOptions, "Cross out finished clues", kCrossOutKey, false);
  // Beside the other questions put to the solution, above "Stop solving".
  MenuItemCheckMistakes = new QAction(QStringLiteral("Check for mistakes"), &window);
  MenuItemCheckMistakes->setShortcut(QKeySequence(QStringLiteral("Ctrl+M")));
  const QList<QAction*> solver_items = window.MenuItemSolver->actions();
  const qsizetype stop = solver_items.indexOf(window.MenuItemSolverStop);
  window.MenuItemSolver->insertAction(stop > 0 ? solver_items[stop - 1] : nullptr,
                                      MenuItemCheckMistakes);

  StatusTimer = new QLabel(&window);
  StatusPlay = new QLabel(&window);
  window.statusBar()->addPermanentWidget(StatusPlay);
  window.statusBar()->addPermanentWidget(StatusTimer);

  connect(MenuItemShowTimer, &QAction::toggled, this, [this](bool on) {
    Settings().setValue(QString::fromLatin1(kShowTimerKey), on);
    ShowTime();
  });
  connect(MenuItemCrossOutClues, &QAction::toggled, this, [this](bool on) {
    Settings().setValue(QString::fromLatin1(kCrossOutKey), on);
    session_->SetAutoCrossOut(on);
  });
  session_->SetAutoCrossOut(MenuItemCrossOutClues->isChecked());
  connect(&tick_, &QTimer::timeout, this, &PlayCommands::ShowTime);
  tick_.start(kTickMs);
  window.installEventFilter(this);
  Restart();
}

PlayCommands::~PlayCommands() {
  window_.removeEventFilter(this);
}

QString PlayCommands::BestTimesPath() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
      .filePath(QStringLiteral("best-times.txt"));
}

void PlayCommands::Restart() {
  StatusPlay->clear();
  session_->Restart();
  ShowTime();
}

void PlayCommands::CheckMistakes(PixlerSearch& search, std::shared_ptr<ISolverCallback> callback) {
  // What the check tells about the solution is help like any solver's.
  session_->NoteHelp();
  const std::string text = session_->ShowMistakes(search.FindMistakes(std::move(callback)));
  if (!text.empty()) StatusPlay->setText(QString::fromStdString(text));
}

void PlayCommands::ShowTime() {
  StatusTimer->setVisible(MenuItemShowTimer->isChecked());
  StatusTimer->setText(QStringLiteral("Time: ") +
                       QString::fromStdString(PlaySession::TimeText(session_->Elapsed())));
}

// The change that asks for a refresh also outdates what a check found; a
// finish stays on show until the refresh takes it back.
void PlayCommands::PlayRefreshWanted() {
  if (!session_->Finished()) StatusPlay->clear();
  QTimer::singleShot(0, this, [this] { session_->Refresh(); });
}

void PlayCommands::PlayFinished(const std::string& text) {
  StatusPlay->setText(QString::fromStdString(text));
  ShowTime();
}

bool PlayCommands::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_ &&
      (event->type() == QEvent::ActivationChange || event->type() == QEvent::WindowStateChange)) {
    session_->SetVisible(window_.isActiveWindow() && !window_.isMinimized());
  }
  return QObject::eventFilter(watched, event);
}
