#include "ui/ImageControl.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

TImageControl::TImageControl(int width, int height, QWidget* parent)
    : QWidget(parent), image_(width, height, QImage::Format_RGB32) {
  image_.fill(palette().color(QPalette::Window));
  canvas_ = std::make_unique<TQtCanvas>(image_, [this](const QRect& rect) { Painted(rect); });
  setFixedSize(width, height);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TImageControl::Resize(int width, int height) {
  if (width == image_.width() && height == image_.height()) return;
  image_ = QImage(width, height, QImage::Format_RGB32);
  image_.fill(palette().color(QPalette::Window));
  dirty_ = QRect();
  setFixedSize(width, height);
  update();
}

void TImageControl::Painted(const QRect& rect) {
  dirty_ = dirty_.united(rect);
  if (flush_queued_) return;
  flush_queued_ = true;
  QTimer::singleShot(0, this, &TImageControl::FlushRepaint);
}

void TImageControl::FlushRepaint() {
  flush_queued_ = false;
  if (dirty_.isEmpty()) return;
  update(dirty_);
  dirty_ = QRect();
}

void TImageControl::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  painter.drawImage(area.topLeft(), image_, area);
}

void TImageControl::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  emit MousePressed(this, event->buttons(), event->modifiers(), at.x(), at.y());
}

void TImageControl::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  emit MouseMoved(this, event->buttons(), event->modifiers(), at.x(), at.y());
}

void TImageControl::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  emit MouseReleased(this, event->buttons(), event->modifiers(), at.x(), at.y());
}
