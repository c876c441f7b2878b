#include "ui/About.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextStream>
#include <QVBoxLayout>

TfAbout::TfAbout(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Help..."));
  resize(720, 560);

  Panel1 = new QFrame(this);
  Panel1->setFixedHeight(119);
  Panel1->setFrameShape(QFrame::StyledPanel);

  AppName = new QLabel(QStringLiteral("Pixlers solver, ver. 1.4"), Panel1);
  AppName->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  QFont big = AppName->font();
  big.setPointSize(big.pointSize() + 6);
  big.setBold(true);
  AppName->setFont(big);
  AppName->setAlignment(Qt::AlignCenter);
  AppName->setGeometry(8, 8, 330, 40);

  Description = new QLabel(QStringLiteral("Simple pixlers auto-solver and editor."), Panel1);
  Description->setGeometry(350, 8, 360, 20);
  auto* usage = new QLabel(
      QStringLiteral("Solve nonograms of up to 100 by 100 cells by hand or let the solver work."),
      Panel1);
  usage->setGeometry(350, 32, 360, 36);
  usage->setWordWrap(true);
  auto* modes =
      new QLabel(QStringLiteral("Switch to editor mode (Ctrl+E) to draw your own."), Panel1);
  modes->setGeometry(8, 60, 700, 20);
  auto* closing = new QLabel(
      QStringLiteral("The manual follows below. Close this window to return to the puzzle."),
      Panel1);
  closing->setGeometry(8, 88, 700, 20);

  Manual = new QPlainTextEdit(this);
  Manual->setReadOnly(true);
  Manual->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Manual->setLineWrapMode(QPlainTextEdit::NoWrap);
  Manual->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  Manual->setPlainText(QStringLiteral("Could not find readme.txt file.."));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Panel1);
  layout->addWidget(Manual, 1);
}

void TfAbout::showEvent(QShowEvent* event) {
  LoadManual();
  QDialog::showEvent(event);
}

QString TfAbout::FindManual(const QString& program_folder) {
  const QString places[] = {
      QStringLiteral("readme.txt"),
      QDir(program_folder).filePath(QStringLiteral("readme.txt")),
      QDir(program_folder).filePath(QStringLiteral(PIXLERS_INSTALLED_DOC_DIR "/readme.txt")),
  };
  for (const QString& place : places) {
    const QFileInfo file(place);
    if (file.isFile() && file.isReadable()) return place;
  }
  return {};
}

// Without a manual, the text shown before stays.
void TfAbout::LoadManual() {
  QFile file(FindManual(QCoreApplication::applicationDirPath()));
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return;
  QTextStream stream(&file);
  QStringList lines;
  QString line;
  while (stream.readLineInto(&line)) lines.append(line);
  if (stream.status() != QTextStream::Ok) return;
  Manual->setPlainText(lines.join(QLatin1Char('\n')));
}
