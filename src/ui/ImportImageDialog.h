#pragma once

#include <QDialog>
#include <QImage>

#include "export/ImageConversion.h"

class QCheckBox;
class QLabel;
class QSlider;
class QSpinBox;

// Asks how an image becomes a puzzle: its size in cells (the image's aspect
// kept unless unticked, at most 100 by 100) and the lightness below which a
// cell is filled, showing the black-and-white result as it changes.
class ImportImageDialog : public QDialog {
 public:
  explicit ImportImageDialog(const QImage& image, QWidget* parent = nullptr);

  // The picture for the size and threshold now chosen.
  const CellPicture& Picture() const { return picture_; }

  QSpinBox* width_box;
  QSpinBox* height_box;
  QCheckBox* keep_aspect;
  QSlider* threshold;
  QLabel* preview;

 private:
  void SideChanged(Qt::Orientation orientation);
  void UpdatePreview();

  QImage image_;
  CellPicture picture_;
  // Set while one side follows the other, so that the follower's change
  // does not move the side the user set.
  bool following_ = false;
};
