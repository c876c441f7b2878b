#include "ui/NewRandomDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <exception>
#include <random>

namespace {

constexpr int kLargestSize = 100;
constexpr int kPollMilliseconds = 50;

search::Grade GradeAt(int index) {
  return index == 2   ? search::Grade::search
         : index == 1 ? search::Grade::probing
                      : search::Grade::line_logic;
}

int DefaultPercent(int difficulty) {
  return static_cast<int>(std::lround(search::DefaultDensity(GradeAt(difficulty)) * 100));
}

}  // namespace

TfNewRandom::TfNewRandom(QWidget* parent, Generate generate)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      generate_(std::move(generate)),
      poll_(new QTimer(this)) {
  setWindowTitle(QStringLiteral("New random puzzle"));
  auto size_box = [this] {
    auto* box = new QSpinBox(this);
    box->setRange(1, kLargestSize);
    box->setValue(15);
    return box;
  };
  Width = size_box();
  Height = size_box();
  Density = new QSpinBox(this);
  Density->setRange(0, 100);
  Density->setSuffix(QStringLiteral(" %"));
  Density->setValue(DefaultPercent(0));
  Difficulty = new QComboBox(this);
  Difficulty->addItems(
      {QStringLiteral("Line logic"), QStringLiteral("Probing"), QStringLiteral("Search")});
  // Each difficulty is met most easily at its own density.
  connect(Difficulty, &QComboBox::currentIndexChanged, this,
          [this](int index) { Density->setValue(DefaultPercent(index)); });
  Progress = new QProgressBar(this);
  Progress->setTextVisible(false);
  Status = new QLabel(this);
  Status->setWordWrap(true);
  MakeButton = new QPushButton(QStringLiteral("&Make"), this);
  MakeButton->setDefault(true);
  CancelButton = new QPushButton(QStringLiteral("&Cancel"), this);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Width:"), Width);
  form->addRow(QStringLiteral("&Height:"), Height);
  form->addRow(QStringLiteral("&Density:"), Density);
  form->addRow(QStringLiteral("D&ifficulty:"), Difficulty);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(MakeButton);
  buttons->addWidget(CancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(Progress);
  layout->addWidget(Status);
  layout->addLayout(buttons);
  setMinimumWidth(320);

  connect(MakeButton, &QPushButton::clicked, this, &TfNewRandom::Start);
  connect(CancelButton, &QPushButton::clicked, this, &TfNewRandom::reject);
  connect(poll_, &QTimer::timeout, this, &TfNewRandom::Poll);
}

TfNewRandom::~TfNewRandom() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
}

void TfNewRandom::reject() {
  if (Running()) {
    stop_ = true;
    return;
  }
  QDialog::reject();
}

void TfNewRandom::SetRunning(bool running) {
  for (QWidget* input :
       {static_cast<QWidget*>(Width), static_cast<QWidget*>(Height), static_cast<QWidget*>(Density),
        static_cast<QWidget*>(Difficulty), static_cast<QWidget*>(MakeButton)}) {
    input->setEnabled(!running);
  }
  CancelButton->setText(running ? QStringLiteral("&Stop") : QStringLiteral("&Cancel"));
}

void TfNewRandom::Start() {
  if (Running()) return;
  // A new puzzle each time: the seed comes from the system, not the clock.
  std::random_device device;
  request_ = search::GenerateRequest{Width->value(), Height->value(),
                                     GradeAt(Difficulty->currentIndex()), Density->value() / 100.0,
                                     (static_cast<std::uint64_t>(device()) << 32) | device()};
  stop_ = false;
  done_ = false;
  tries_ = 0;
  max_tries_ = 0;
  failure_.clear();
  made_ = search::Generated{};
  Progress->setRange(0, 0);
  Status->setText(QStringLiteral("Making the puzzle..."));
  SetRunning(true);
  worker_ = std::thread([this] {
    search::GenerateLimits limits;
    limits.stop = &stop_;
    limits.progress = [this](const search::GenerateProgress& progress) {
      max_tries_ = progress.max_tries;
      tries_ = progress.tries;
    };
    try {
      made_ = generate_(request_, limits);
    } catch (const std::exception& error) {
      failure_ = error.what();
    }
    done_ = true;
  });
  poll_->start(kPollMilliseconds);
}

void TfNewRandom::Poll() {
  if (done_) {
    Finish();
    return;
  }
  if (max_tries_ > 0) {
    Progress->setRange(0, max_tries_);
    Progress->setValue(tries_);
  }
}

void TfNewRandom::Finish() {
  poll_->stop();
  worker_.join();
  SetRunning(false);
  Progress->setRange(0, 1);
  Progress->setValue(0);
  if (made_.found) {
    Status->clear();
    accept();
    return;
  }
  if (!failure_.empty()) {
    Status->setText(QString::fromStdString(failure_));
  } else if (made_.stopped) {
    Status->setText(QStringLiteral("Stopped."));
  } else {
    Status->setText(
        QStringLiteral("No puzzle of this difficulty was found at this size and density. A "
                       "larger puzzle or another density may have one."));
  }
}
