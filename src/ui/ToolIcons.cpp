#include "ui/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace {

constexpr int kSize = 24;

void Page(QPainter& p) {
  QPolygonF page({{5, 2}, {15, 2}, {20, 7}, {20, 22}, {5, 22}});
  p.setPen(QPen(Qt::black, 1.2));
  p.setBrush(Qt::white);
  p.drawPolygon(page);
  p.drawPolyline(QPolygonF({{15, 2}, {15, 7}, {20, 7}}));
}

void Arrow(QPainter& p, bool forward) {
  p.save();
  if (forward) {
    p.translate(kSize, 0);
    p.scale(-1, 1);
  }
  QPainterPath path;
  path.moveTo(19, 18);
  path.cubicTo(19, 8, 12, 7, 7, 9);
  p.setPen(QPen(QColor(30, 90, 170), 2.5));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 90, 170));
  p.drawPolygon(QPolygonF({{2, 10}, {9, 4}, {10, 14}}));
  p.restore();
}

void Magnifier(QPainter& p, const char* sign) {
  p.setPen(QPen(Qt::black, 2));
  p.setBrush(QColor(220, 235, 255));
  p.drawEllipse(QRectF(2, 2, 14, 14));
  p.setPen(QPen(QColor(90, 60, 30), 3.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(15, 15), QPointF(21, 21));
  p.setPen(QPen(Qt::black, 2));
  const QString text = QString::fromLatin1(sign);
  if (text.contains('-') || text.contains('+')) p.drawLine(QPointF(5.5, 9), QPointF(12.5, 9));
  if (text.contains('+')) p.drawLine(QPointF(9, 5.5), QPointF(9, 12.5));
  if (text.contains('=')) p.drawRect(QRectF(6, 6, 6, 6));
}

// Solver commands: play triangles, with a bar for the full-pass kinds.
void Play(QPainter& p, int triangles, bool bar) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(20, 130, 40));
  const double width = triangles == 1 ? 12 : 8;
  double x = bar ? 2 : 4;
  for (int i = 0; i < triangles; ++i) {
    p.drawPolygon(QPolygonF({{x, 4}, {x + width, 12}, {x, 20}}));
    x += width;
  }
  if (bar) {
    p.setBrush(QColor(0, 128, 255));
    p.drawRect(QRectF(x + 1, 4, 3, 16));
  }
}

void Draw(QPainter& p, TToolIcon kind) {
  switch (kind) {
    case TToolIcon::New:
      Page(p);
      break;
    case TToolIcon::Open:
      p.setPen(QPen(QColor(120, 90, 10), 1.2));
      p.setBrush(QColor(240, 200, 80));
      p.drawPolygon(QPolygonF({{2, 5}, {9, 5}, {11, 7}, {21, 7}, {21, 20}, {2, 20}}));
      p.setBrush(QColor(250, 220, 120));
      p.drawPolygon(QPolygonF({{2, 20}, {5, 11}, {23, 11}, {21, 20}}));
      break;
    case TToolIcon::Save:
      p.setPen(QPen(QColor(20, 40, 90), 1.2));
      p.setBrush(QColor(60, 100, 180));
      p.drawRect(QRectF(3, 3, 18, 18));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(7, 3, 10, 7));
      p.setBrush(QColor(200, 200, 200));
      p.drawRect(QRectF(6, 14, 12, 7));
      break;
    case TToolIcon::ClearPicture:
      Page(p);
      p.setPen(QPen(QColor(200, 0, 0), 2.5));
      p.drawLine(QPointF(8, 10), QPointF(17, 19));
      p.drawLine(QPointF(17, 10), QPointF(8, 19));
      break;
    case TToolIcon::Undo:
      Arrow(p, false);
      break;
    case TToolIcon::Redo:
      Arrow(p, true);
      break;
    case TToolIcon::ClearMights:
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0, 128, 128));
      p.drawEllipse(QRectF(3, 3, 7, 7));
      p.drawEllipse(QRectF(14, 14, 7, 7));
      p.setPen(QPen(QColor(0, 128, 128), 2));
      p.drawLine(QPointF(20, 4), QPointF(14, 10));
      p.setPen(QPen(QColor(200, 0, 0), 2.5));
      p.drawLine(QPointF(3, 21), QPointF(21, 3));
      break;
    case TToolIcon::EditMode:
      p.setPen(QPen(Qt::black, 1));
      p.setBrush(QColor(250, 190, 40));
      p.drawPolygon(QPolygonF({{4, 16}, {16, 4}, {20, 8}, {8, 20}}));
      p.setBrush(QColor(240, 210, 170));
      p.drawPolygon(QPolygonF({{4, 16}, {8, 20}, {2, 22}}));
      p.setBrush(QColor(230, 120, 140));
      p.drawPolygon(QPolygonF({{16, 4}, {18, 2}, {22, 6}, {20, 8}}));
      break;
    case TToolIcon::ZoomIn:
      Magnifier(p, "+");
      break;
    case TToolIcon::ResetZoom:
      Magnifier(p, "=");
      break;
    case TToolIcon::ZoomOut:
      Magnifier(p, "-");
      break;
    case TToolIcon::FindPiece:
      Play(p, 1, false);
      break;
    case TToolIcon::FindAllPieces:
      Play(p, 2, false);
      break;
    case TToolIcon::FullPass:
      Play(p, 1, true);
      break;
    case TToolIcon::AllFullPasses:
      Play(p, 2, true);
      break;
    case TToolIcon::Realtime:
      p.setPen(QPen(QColor(150, 80, 0), 1));
      p.setBrush(QColor(255, 200, 0));
      p.drawPolygon(QPolygonF({{14, 1}, {4, 13}, {11, 13}, {8, 23}, {20, 9}, {13, 9}}));
      break;
    case TToolIcon::Stop:
      p.setPen(QPen(QColor(120, 0, 0), 1));
      p.setBrush(QColor(210, 30, 30));
      p.drawPolygon(
          QPolygonF({{8, 2}, {16, 2}, {22, 8}, {22, 16}, {16, 22}, {8, 22}, {2, 16}, {2, 8}}));
      p.setBrush(Qt::white);
      p.setPen(Qt::NoPen);
      p.drawRect(QRectF(6, 10, 12, 4));
      break;
    case TToolIcon::Manual: {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(30, 90, 200));
      p.drawEllipse(QRectF(2, 2, 20, 20));
      QFont font = p.font();
      font.setPixelSize(16);
      font.setBold(true);
      p.setFont(font);
      p.setPen(Qt::white);
      p.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, QStringLiteral("?"));
      break;
    }
    case TToolIcon::SolveBySearch: {
      // A search tree whose one successful branch is green.
      const QPointF root(12, 3), left(5, 12), middle(12, 12), right(19, 12), leaf(15, 21);
      p.setPen(QPen(QColor(120, 120, 120), 1.5));
      p.drawLine(root, left);
      p.drawLine(root, right);
      p.drawLine(middle, QPointF(9, 21));
      p.setPen(QPen(QColor(20, 130, 40), 2.5));
      p.drawLine(root, middle);
      p.drawLine(middle, leaf);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(120, 120, 120));
      for (const QPointF& node : {left, right, QPointF(9, 21)}) p.drawEllipse(node, 2.5, 2.5);
      p.setBrush(QColor(20, 130, 40));
      for (const QPointF& node : {root, middle, leaf}) p.drawEllipse(node, 3, 3);
      break;
    }
    case TToolIcon::CheckUnique: {
      // One solution, ticked.
      p.setPen(QPen(Qt::black, 1.2));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(2, 2, 15, 15));
      QFont font = p.font();
      font.setPixelSize(13);
      font.setBold(true);
      p.setFont(font);
      p.drawText(QRectF(2, 2, 15, 15), Qt::AlignCenter, QStringLiteral("1"));
      p.setPen(QPen(QColor(20, 130, 40), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.setBrush(Qt::NoBrush);
      p.drawPolyline(QPolygonF({{11, 16}, {15, 21}, {22, 10}}));
      break;
    }
  }
}

}  // namespace

QIcon ToolIcon(TToolIcon kind) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  {
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    Draw(painter, kind);
  }
  return QIcon(pixmap);
}
