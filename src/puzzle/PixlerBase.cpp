#include "puzzle/PixlerBase.h"

TPixlerBase::TPixlerBase(TSurface field, TSurface preview, TSurface top, TSurface left,
                         TColor background, int background_width, int background_height)
    : FField(std::make_unique<TField>(field.canvas, &preview.canvas)),
      FTop(std::make_unique<TNumbersTop>(top.canvas, FField.get())),
      FLeft(std::make_unique<TNumbersLeft>(left.canvas, FField.get())) {
  TGridBase* grids[] = {FField.get(), FTop.get(), FLeft.get()};
  for (TGridBase* grid : grids) grid->SetColorBackground(background);
  for (TGridBase* grid : grids) grid->SetSize(kDefaultGridSize, kDefaultGridSize);
  FField->SetCanvasSize(field.width, field.height);
  FField->SetPreviewSize(preview.width, preview.height);
  FTop->SetCanvasSize(top.width, top.height);
  FLeft->SetCanvasSize(left.width, left.height);
  SetFitArea(background_width / 3 * 2, background_height / 3 * 2);
  Redraw(-1, -1);
}

TPixlerBase::~TPixlerBase() = default;

void TPixlerBase::Clear() {
  FField->Clear();
  FTop->Clear();
  FLeft->Clear();
}

void TPixlerBase::ClearPicture() {
  FField->Clear();
}

void TPixlerBase::ClearMightBe() {
  FField->ClearMightBe();
}

void TPixlerBase::Undo() {
  FField->Undo();
}

void TPixlerBase::Redo() {
  FField->Redo();
}

void TPixlerBase::EndGroup() {
  FField->EndGroup();
}

int TPixlerBase::GetWidth() const {
  return FField->GetWidth();
}

int TPixlerBase::GetHeight() const {
  return FField->GetHeight();
}

void TPixlerBase::SetSize(int width, int height) {
  FField->SetSize(width, height);
  FTop->SetSize(width, height);
  FLeft->SetSize(width, height);
}

int TPixlerBase::GetZoom() const {
  return FField->GetZoom();
}

void TPixlerBase::SetZoom(int value) {
  FField->SetZoom(value);
  FTop->SetZoom(value);
  FLeft->SetZoom(value);
}

void TPixlerBase::SetFitArea(int width, int height) {
  FField->SetFitArea(width, height);
  FTop->SetFitArea(width, height);
  FLeft->SetFitArea(width, height);
}

void TPixlerBase::SetMarking(bool value) {
  FTop->SetMarking(value);
  FLeft->SetMarking(value);
}

void TPixlerBase::SetCompact(bool value) {
  FTop->SetCompact(value);
  FLeft->SetCompact(value);
  FitShownSlots();
}

bool TPixlerBase::GetCompact() const {
  return FTop->GetCompact();
}

void TPixlerBase::FitShownSlots() {
  const int across = GetCompact() ? FLeft->GetCols() : 0;
  const int down = GetCompact() ? FTop->GetRows() : 0;
  for (TGridBase* grid :
       {static_cast<TGridBase*>(FField.get()), static_cast<TGridBase*>(FTop.get()),
        static_cast<TGridBase*>(FLeft.get())}) {
    grid->SetFitSlots(across, down);
  }
}

void TPixlerBase::Redraw(int x, int y) {
  FField->Redraw(x, y);
  FTop->Redraw(x, y);
  FLeft->Redraw(x, y);
}

void TPixlerBase::MouseAction(int x, int y, int action) {
  // Each table sees the position in its own drawing's terms: the sign change
  // turns the negated pixel offset back into a positive one.
  FField->MouseAction(x, y, action);
  FTop->MouseAction(x, -y, action);
  FLeft->MouseAction(-x, y, action);
}

void TPixlerBase::HoverAt(int x, int y) {
  FField->HoverAt(x, y);
  FTop->HoverAt(x, -1);
  FLeft->HoverAt(-1, y);
}

void TPixlerBase::GetPixelSizes(int& field_width, int& field_height, int& top_height,
                                int& left_width) {
  int unused = 0;
  FField->GetPixelSize(field_width, field_height);
  FTop->GetPixelSize(unused, top_height);
  FLeft->GetPixelSize(left_width, unused);
}

void TPixlerBase::SetSurfaceSizes(TExtent field, TExtent preview, TExtent top, TExtent left) {
  FField->SetCanvasSize(field.width, field.height);
  FField->SetPreviewSize(preview.width, preview.height);
  FTop->SetCanvasSize(top.width, top.height);
  FLeft->SetCanvasSize(left.width, left.height);
}
