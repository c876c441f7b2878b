#include "ui/BackgroundCheck.h"

#include <exception>
#include <utility>

BackgroundCheck::BackgroundCheck(QObject* parent) : QObject(parent), thread_([this] { Work(); }) {}

BackgroundCheck::~BackgroundCheck() {
  {
    const std::lock_guard lock(mutex_);
    quit_ = true;
    pending_.reset();
    if (stop_) *stop_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void BackgroundCheck::Start(search::Clues clues) {
  busy_ = true;
  {
    const std::lock_guard lock(mutex_);
    pending_ = Request{++latest_, std::move(clues)};
    if (stop_) *stop_ = true;
  }
  wake_.notify_one();
}

void BackgroundCheck::Cancel() {
  busy_ = false;
  const std::lock_guard lock(mutex_);
  // A number no request has: whatever is delivered now is stale.
  ++latest_;
  pending_.reset();
  if (stop_) *stop_ = true;
}

void BackgroundCheck::Work() {
  for (;;) {
    Request request;
    auto stop = std::make_shared<std::atomic<bool>>(false);
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return quit_ || pending_.has_value(); });
      if (quit_) return;
      request = std::move(*pending_);
      pending_.reset();
      stop_ = stop;
    }
    search::Limits limits;
    limits.stop = stop.get();
    search::Verdict verdict;
    QString failure;
    try {
      verdict = search::JudgeClues(request.clues, limits);
    } catch (const std::exception& error) {
      failure = QString::fromStdString(error.what());
    }
    if (*stop) continue;
    // Queued to the window thread; dropped there when a newer request came,
    // and with this object when it goes first.
    QMetaObject::invokeMethod(
        this,
        [this, number = request.number, verdict = std::move(verdict), failure] {
          if (number != latest_) return;
          busy_ = false;
          emit Judged(verdict, failure);
        },
        Qt::QueuedConnection);
  }
}
