#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>
#include <memory>

#include "ui/QtCanvas.h"

class QMouseEvent;
class QPaintEvent;

// A fixed-size drawing surface: owns its picture, lends its canvas to a grid
// and shows whatever the grid drew. Mouse events leave as signals that carry
// the held buttons and keys, as the window's handlers expect them.
class TImageControl final : public QWidget {
  Q_OBJECT

 public:
  TImageControl(int width, int height, QWidget* parent = nullptr);

  TCanvas& Canvas() { return *canvas_; }
  const QImage& Image() const { return image_; }
  // Shows the pending changes at once instead of at the next event loop pass.
  void FlushRepaint();
  // A new, blank picture of another size; the canvas stays the same object.
  void Resize(int width, int height);

 signals:
  void MousePressed(TImageControl* sender, Qt::MouseButtons buttons,
                    Qt::KeyboardModifiers modifiers, int x, int y);
  void MouseMoved(TImageControl* sender, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                  int x, int y);
  void MouseReleased(TImageControl* sender, Qt::MouseButtons buttons,
                     Qt::KeyboardModifiers modifiers, int x, int y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Painted(const QRect& rect);

  QImage image_;
  std::unique_ptr<TQtCanvas> canvas_;
  // Union of what was drawn since the last repaint request; many small
  // drawings then cost one update instead of one each.
  QRect dirty_;
  bool flush_queued_ = false;
};
