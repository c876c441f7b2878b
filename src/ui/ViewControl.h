#pragma once

#include <QPoint>
#include <QSize>

class TImageControl;
class TfMain;

// How the puzzle sits in the window: the four drawing surfaces in the scroll
// area, their sizes and places, the zoom, the fit to the view, the scroll
// bars, and the mapping of a surface's pixel to the puzzle's position. The
// surfaces are the window's; this places them. Anything that changes how
// much room the puzzle's drawing takes ends in Zoom, which fits the surfaces
// to the drawing and scrolls it into view.
class ViewControl final {
 public:
  enum class Step { In, Reset, Out, Keep };

  explicit ViewControl(TfMain& window);

  // Makes the scroll area and the surfaces in it, placed for the start.
  void CreateSurfaces();
  // Zooms by one step, or back to the fit, and lays the puzzle out again.
  void Zoom(Step step);
  // The view was resized: the fit follows it.
  void Resized();
  // The view's size without scroll bars.
  QSize ScrollRoom() const;
  // A surface's pixel as the puzzle takes positions: the field's as they
  // are, the clues' with the negated offset on their own axis, anything
  // else (-1, -1).
  QPoint PuzzlePosition(const TImageControl* surface, int x, int y) const;

 private:
  void PlaceSurfaces();
  void FitSurfaces();
  void ShowScrollBarsAsNeeded(int drawing_width, int drawing_height);
  void ScrollIntoView(int field_width, int field_height, int top_height, int left_width);

  TfMain& window_;
};
