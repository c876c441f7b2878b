#include "ui/ImportImageDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kPreviewSide = 300;

}  // namespace

ImportImageDialog::ImportImageDialog(const QImage& image, QWidget* parent)
    : QDialog(parent), image_(image) {
  setWindowTitle(QStringLiteral("Import image"));
  const QSize start = image_conversion::DefaultSize(image.size());

  width_box = new QSpinBox(this);
  height_box = new QSpinBox(this);
  for (QSpinBox* box : {width_box, height_box}) box->setRange(1, image_conversion::kLargestSide);
  width_box->setValue(start.width());
  height_box->setValue(start.height());
  keep_aspect = new QCheckBox(QStringLiteral("Keep the image's aspect"), this);
  keep_aspect->setChecked(true);
  threshold = new QSlider(Qt::Horizontal, this);
  threshold->setRange(0, 256);
  threshold->setValue(image_conversion::kDefaultThreshold);
  auto* threshold_value = new QLabel(this);
  threshold_value->setMinimumWidth(30);

  preview = new QLabel(this);
  preview->setFixedSize(kPreviewSide, kPreviewSide);
  preview->setAlignment(Qt::AlignCenter);
  auto* original = new QLabel(this);
  original->setFixedSize(kPreviewSide, kPreviewSide);
  original->setAlignment(Qt::AlignCenter);
  original->setPixmap(QPixmap::fromImage(image).scaled(
      kPreviewSide, kPreviewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation));

  auto* threshold_row = new QHBoxLayout;
  threshold_row->addWidget(threshold);
  threshold_row->addWidget(threshold_value);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Width (cells):"), width_box);
  form->addRow(QStringLiteral("Height (cells):"), height_box);
  form->addRow(QString(), keep_aspect);
  form->addRow(QStringLiteral("Darker than this is filled:"), threshold_row);
  auto* pictures = new QHBoxLayout;
  pictures->addWidget(original);
  pictures->addWidget(preview);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(pictures);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(width_box, &QSpinBox::valueChanged, this, [this] { SideChanged(Qt::Horizontal); });
  connect(height_box, &QSpinBox::valueChanged, this, [this] { SideChanged(Qt::Vertical); });
  connect(keep_aspect, &QCheckBox::toggled, this, [this] { SideChanged(Qt::Horizontal); });
  connect(threshold, &QSlider::valueChanged, this, [this, threshold_value](int value) {
    threshold_value->setNum(value);
    UpdatePreview();
  });
  threshold_value->setNum(threshold->value());
  UpdatePreview();
}

void ImportImageDialog::SideChanged(Qt::Orientation orientation) {
  if (following_) return;
  if (keep_aspect->isChecked()) {
    const int side = orientation == Qt::Horizontal ? width_box->value() : height_box->value();
    const QSize size = image_conversion::KeepAspect(image_.size(), side, orientation);
    following_ = true;
    width_box->setValue(size.width());
    height_box->setValue(size.height());
    following_ = false;
  }
  UpdatePreview();
}

void ImportImageDialog::UpdatePreview() {
  picture_ = image_conversion::ToCells(image_, QSize(width_box->value(), height_box->value()),
                                       threshold->value());
  const QImage cells = image_conversion::ToImage(picture_);
  if (cells.isNull()) {
    preview->clear();
    return;
  }
  const int scale = std::max(1, kPreviewSide / std::max(cells.width(), cells.height()));
  preview->setPixmap(QPixmap::fromImage(cells.scaled(cells.size() * scale)));
}
