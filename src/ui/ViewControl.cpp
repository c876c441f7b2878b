#include "ui/ViewControl.h"

#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

#include "document/Pixler.h"
#include "ui/ImageControl.h"
#include "ui/MainForm.h"

namespace {

// The surfaces' sizes at the start: the field's corner then lies at 1002,
// with the clues and the preview above and left of it, two pixels apart.
constexpr int kFieldSide = 2000;
constexpr int kClueDepth = 1000;
constexpr int kGap = 2;
// Surfaces grow with a zoomed-in puzzle up to this side, which bounds their
// memory; beyond it the drawing is cut off.
constexpr int kLargestSurface = 4001;

}  // namespace

ViewControl::ViewControl(TfMain& window) : window_(window) {}

void ViewControl::CreateSurfaces() {
  auto* background = new QScrollArea(&window_);
  window_.Background = background;
  background->setWidgetResizable(false);
  // Scrolling a hidden bar's way, by wheel or key, would move a puzzle that
  // fits the view off its centre.
  for (QScrollBar* bar : {background->horizontalScrollBar(), background->verticalScrollBar()}) {
    QObject::connect(bar, &QAbstractSlider::actionTriggered, background, [background, bar] {
      const bool horizontal = bar == background->horizontalScrollBar();
      const Qt::ScrollBarPolicy policy = horizontal ? background->horizontalScrollBarPolicy()
                                                    : background->verticalScrollBarPolicy();
      if (policy == Qt::ScrollBarAlwaysOff) bar->setSliderPosition(bar->value());
    });
  }
  auto* content = new QWidget;
  content->setMouseTracking(true);

  window_.ImagePreview = new TImageControl(kClueDepth, kClueDepth, content);
  window_.ImageTopClues = new TImageControl(kFieldSide, kClueDepth, content);
  window_.ImageLeftClues = new TImageControl(kClueDepth, kFieldSide, content);
  window_.ImageField = new TImageControl(kFieldSide, kFieldSide, content);
  window_.AutoScroller = new QWidget(content);
  window_.AutoScroller->hide();
  // The scroll area takes its range from the content's size when it gets the
  // content, so the size comes first.
  PlaceSurfaces();
  background->setWidget(content);
}

// The field's corner follows the clue surfaces' depth; the preview keeps its
// bottom-right corner next to it.
void ViewControl::PlaceSurfaces() {
  const int corner_x = window_.ImageLeftClues->width() + kGap;
  const int corner_y = window_.ImageTopClues->height() + kGap;
  window_.ImagePreview->move(corner_x - kGap - window_.ImagePreview->width(),
                             corner_y - kGap - window_.ImagePreview->height());
  window_.ImageTopClues->move(corner_x, 0);
  window_.ImageLeftClues->move(0, corner_y);
  window_.ImageField->move(corner_x, corner_y);
  window_.AutoScroller->setGeometry(corner_x, corner_y, 100, 100);
  window_.ImageField->parentWidget()->setFixedSize(corner_x + window_.ImageField->width(),
                                                   corner_y + window_.ImageField->height());
}

// A zoomed-in puzzle may need more than the starting surfaces: their clues
// would be cut off, and clicks there would reach slots that cannot be seen.
void ViewControl::FitSurfaces() {
  TPixler& document = window_.Document();
  int field_width = 0;
  int field_height = 0;
  int top_height = 0;
  int left_width = 0;
  document.GetPixelSizes(field_width, field_height, top_height, left_width);
  auto side = [](int least, int needed) { return std::clamp(needed, least, kLargestSurface); };
  const int width = side(kFieldSide, field_width + 1);
  const int height = side(kFieldSide, field_height + 1);
  const int depth_top = side(kClueDepth, top_height + 2);
  const int depth_left = side(kClueDepth, left_width + 2);
  if (width == window_.ImageField->width() && height == window_.ImageField->height() &&
      depth_top == window_.ImageTopClues->height() &&
      depth_left == window_.ImageLeftClues->width()) {
    return;
  }
  window_.ImageField->Resize(width, height);
  window_.ImageTopClues->Resize(width, depth_top);
  window_.ImageLeftClues->Resize(depth_left, height);
  PlaceSurfaces();
  document.SetSurfaceSizes({width, height},
                           {window_.ImagePreview->width(), window_.ImagePreview->height()},
                           {width, depth_top}, {depth_left, height});
}

void ViewControl::Zoom(Step step) {
  TPixler& document = window_.Document();
  int zoom = document.GetZoom();
  if (step == Step::In) {
    ++zoom;
  } else if (step == Step::Reset) {
    zoom = 0;
  } else if (step == Step::Out) {
    --zoom;
  }
  document.SetZoom(zoom);
  FitSurfaces();
  document.Redraw(-1, -1);

  int field_width = 0;
  int field_height = 0;
  int top_height = 0;
  int left_width = 0;
  document.GetPixelSizes(field_width, field_height, top_height, left_width);
  ShowScrollBarsAsNeeded(left_width + field_width + 4, top_height + field_height + 4);
  ScrollIntoView(field_width, field_height, top_height, left_width);

  for (TImageControl* image :
       {window_.ImageTopClues, window_.ImageLeftClues, window_.ImagePreview, window_.ImageField}) {
    image->update();
  }
}

// Scrolls so that a panel reaching from the field's corner to the middle of
// the free space comes into view: that centres the puzzle, or shows the
// field's corner first when the field alone is larger than the view.
void ViewControl::ScrollIntoView(int field_width, int field_height, int top_height,
                                 int left_width) {
  QScrollArea& background = *window_.Background;
  QWidget& scroller = *window_.AutoScroller;
  const int client_width = background.viewport()->width();
  const int client_height = background.viewport()->height();
  scroller.resize(
      std::max(field_width, (client_width - field_width - left_width - 4) / 2 + field_width),
      std::max(field_height, (client_height - field_height - top_height - 4) / 2 + field_height));
  auto position = [](int corner, int extent, int client) {
    if (corner + extent <= client) return 0;
    return extent > client ? corner : corner + extent - client;
  };
  background.horizontalScrollBar()->setValue(
      position(scroller.x(), scroller.width(), client_width));
  background.verticalScrollBar()->setValue(
      position(scroller.y(), scroller.height(), client_height));
  scroller.resize(100, 100);
  scroller.hide();
}

// The surfaces are always larger than the view, so the scroll area alone
// would always show both bars; they show when the puzzle's drawing does not
// fit. Showing or hiding one resizes the view and lays it out again from
// inside this call, which ends there because the fit area leaves the bars out.
void ViewControl::ShowScrollBarsAsNeeded(int drawing_width, int drawing_height) {
  QScrollArea& background = *window_.Background;
  const QSize room = ScrollRoom();
  const int bar_width = background.verticalScrollBar()->sizeHint().width();
  const int bar_height = background.horizontalScrollBar()->sizeHint().height();
  bool horizontal = drawing_width > room.width();
  const bool vertical =
      drawing_height > room.height() || (horizontal && drawing_height > room.height() - bar_height);
  horizontal = horizontal || (vertical && drawing_width > room.width() - bar_width);
  auto policy = [](bool shown) { return shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff; };
  if (background.horizontalScrollBarPolicy() != policy(horizontal)) {
    background.setHorizontalScrollBarPolicy(policy(horizontal));
  }
  if (background.verticalScrollBarPolicy() != policy(vertical)) {
    background.setVerticalScrollBarPolicy(policy(vertical));
  }
}

// The fit area follows the view's size without scroll bars, so that showing
// a bar never changes the cell size and with it the need for bars.
QSize ViewControl::ScrollRoom() const {
  return window_.Background->contentsRect().size();
}

void ViewControl::Resized() {
  const QSize client = ScrollRoom();
  window_.Document().SetFitArea(client.width() / 3 * 2, client.height() / 3 * 2);
  Zoom(Step::Keep);
}

// 0 on a clue surface becomes -1 so that it is never taken for a position on
// the field.
QPoint ViewControl::PuzzlePosition(const TImageControl* surface, int x, int y) const {
  if (surface == window_.ImageField) return {x, y};
  if (surface == window_.ImageTopClues) return {x, y == 0 ? -1 : -y};
  if (surface == window_.ImageLeftClues) return {x == 0 ? -1 : -x, y};
  return {-1, -1};
}
