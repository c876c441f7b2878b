#include "export/PuzzleExport.h"

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <algorithm>
#include <vector>

#include "document/AtomicFile.h"
#include "export/OffscreenApplication.h"
#include "export/PrintLayout.h"
#include "puzzle/CellState.h"

namespace {

constexpr int kLargestSize = 100;

// Paper measures in millimetres; the writer's resolution turns them into
// device units fine enough for hairlines.
constexpr int kResolution = 1200;
constexpr double kMargin = 12.0;
constexpr double kHeading = 16.0;
// Clue text below this height is hard to read on paper; cells above the
// largest size only waste it.
constexpr double kSmallestText = 2.5;
constexpr double kLargestCell = 9.0;
constexpr double kThinLine = 0.12;
constexpr double kThickLine = 0.4;

double Units(double millimetres) {
  return millimetres * kResolution / 25.4;
}

void CheckSize(const std::string& path, const TPixlerFileData& data) {
  if (data.width < 1 || data.width > kLargestSize || data.height < 1 ||
      data.height > kLargestSize) {
    throw TPixlerFileError(path, 0,
                           "the puzzle's size " + std::to_string(data.width) + " x " +
                               std::to_string(data.height) + " is not between 1 and 100");
  }
}

std::string Bytes(const QByteArray& bytes) {
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// The clues of one line in reading order: the slot farthest from the picture
// first, empty slots left out, as the window shows them.
using ClueLines = std::vector<std::vector<int>>;

ClueLines ColumnClues(const TPixlerFileData& data) {
  ClueLines lines(data.width + 1);
  for (int x = 1; x <= data.width; ++x) {
    for (int slot = data.TopSlots(); slot >= 1; --slot) {
      if (data.top_clues[x][slot] != 0) lines[x].push_back(data.top_clues[x][slot]);
    }
  }
  return lines;
}

ClueLines RowClues(const TPixlerFileData& data) {
  ClueLines lines(data.height + 1);
  for (int y = 1; y <= data.height; ++y) {
    for (int slot = data.LeftSlots(); slot >= 1; --slot) {
      if (data.left_clues[slot][y] != 0) lines[y].push_back(data.left_clues[slot][y]);
    }
  }
  return lines;
}

int Depth(const ClueLines& lines) {
  size_t depth = 1;
  for (const auto& line : lines) depth = std::max(depth, line.size());
  return static_cast<int>(depth);
}

// The widest clue text, which decides how large the digits can be.
QString WidestClue(const ClueLines& columns, const ClueLines& rows) {
  int largest = 0;
  for (const ClueLines* lines : {&columns, &rows}) {
    for (const auto& line : *lines) {
      for (int clue : line) largest = std::max(largest, clue);
    }
  }
  return QString(QString::number(largest).size(), QLatin1Char('8'));
}

QFont TextFont(double height) {
  QFont font;
  font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(std::max(1, static_cast<int>(height)));
  return font;
}

// The text height that fits `text` into a cell of `cell` units, with room
// around it so that neighbouring numbers stay apart.
double TextHeightFor(double cell, const QString& text, QPaintDevice* device) {
  const double reference = Units(10);
  const double width_per_height =
      QFontMetricsF(TextFont(reference), device).horizontalAdvance(text) / reference;
  return std::min(cell * 0.62, cell * 0.84 / width_per_height);
}

// A grid of `columns` by `rows` cells at `origin`; its thick lines fall on
// every fifth line of the whole puzzle, counted from its first column and row,
// and on its outline.
void DrawGrid(QPainter& painter, QPointF origin, double cell, const PrintPart& part) {
  const QPen thin(QColor(110, 110, 110), Units(kThinLine));
  const QPen thick(Qt::black, Units(kThickLine));
  const double right = origin.x() + part.columns * cell;
  const double bottom = origin.y() + part.rows * cell;
  for (const bool heavy : {false, true}) {
    painter.setPen(heavy ? thick : thin);
    for (int i = 0; i <= part.columns; ++i) {
      const bool edge = i == 0 || i == part.columns || (part.first_column - 1 + i) % 5 == 0;
      if (edge != heavy) continue;
      const double x = origin.x() + i * cell;
      painter.drawLine(QPointF(x, origin.y()), QPointF(x, bottom));
    }
    for (int j = 0; j <= part.rows; ++j) {
      const bool edge = j == 0 || j == part.rows || (part.first_row - 1 + j) % 5 == 0;
      if (edge != heavy) continue;
      const double y = origin.y() + j * cell;
      painter.drawLine(QPointF(origin.x(), y), QPointF(right, y));
    }
  }
}

// Clues stand in square slots packed against the grid, as on screen: the
// last clue of a column right above it, the last of a row right beside it.
void DrawClues(QPainter& painter, QPointF origin, double cell, const PrintPart& part, int top_depth,
               int left_depth, const ClueLines& columns, const ClueLines& rows,
               double text_height) {
  const QPen thin(QColor(170, 170, 170), Units(kThinLine));
  const double clue_top = origin.y() - top_depth * cell;
  const double clue_left = origin.x() - left_depth * cell;
  painter.setPen(thin);
  painter.setBrush(QColor(238, 238, 238));
  painter.drawRect(QRectF(origin.x(), clue_top, part.columns * cell, top_depth * cell));
  painter.drawRect(QRectF(clue_left, origin.y(), left_depth * cell, part.rows * cell));
  painter.setBrush(Qt::NoBrush);
  for (int i = 1; i < part.columns; ++i) {
    const double x = origin.x() + i * cell;
    painter.drawLine(QPointF(x, clue_top), QPointF(x, origin.y()));
  }
  for (int j = 1; j < part.rows; ++j) {
    const double y = origin.y() + j * cell;
    painter.drawLine(QPointF(clue_left, y), QPointF(origin.x(), y));
  }

  painter.setPen(Qt::black);
  painter.setFont(TextFont(text_height));
  for (int i = 0; i < part.columns; ++i) {
    const auto& line = columns[part.first_column + i];
    for (size_t k = 0; k < line.size(); ++k) {
      const double y = origin.y() - static_cast<double>(line.size() - k) * cell;
      painter.drawText(QRectF(origin.x() + i * cell, y, cell, cell), Qt::AlignCenter,
                       QString::number(line[k]));
    }
  }
  for (int j = 0; j < part.rows; ++j) {
    const auto& line = rows[part.first_row + j];
    for (size_t k = 0; k < line.size(); ++k) {
      const double x = origin.x() - static_cast<double>(line.size() - k) * cell;
      painter.drawText(QRectF(x, origin.y() + j * cell, cell, cell), Qt::AlignCenter,
                       QString::number(line[k]));
    }
  }
}

void DrawHeading(QPainter& painter, double page_width, const QString& title,
                 const QString& subtitle) {
  QFont font = TextFont(Units(6));
  font.setBold(true);
  painter.setPen(Qt::black);
  painter.setFont(font);
  painter.drawText(QRectF(0, 0, page_width, Units(8)), Qt::AlignLeft | Qt::AlignVCenter, title);
  painter.setFont(TextFont(Units(3.5)));
  painter.drawText(QRectF(0, Units(8.5), page_width, Units(5)), Qt::AlignLeft | Qt::AlignVCenter,
                   subtitle);
}

QString Range(const char* what, int first, int count) {
  return QString::fromUtf8("%1 %2–%3").arg(QLatin1String(what)).arg(first).arg(first + count - 1);
}

void DrawSolution(QPainter& painter, double page_width, double page_height,
                  const TPixlerFileData& data, const PuzzleImage& solution) {
  const double cell =
      std::min({page_width / data.width, page_height / data.height, Units(kLargestCell)});
  const QPointF origin((page_width - data.width * cell) / 2, Units(kHeading));
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  for (int x = 1; x <= data.width; ++x) {
    for (int y = 1; y <= data.height; ++y) {
      if (solution[y - 1][x - 1] != '#') continue;
      painter.drawRect(
          QRectF(origin.x() + (x - 1) * cell, origin.y() + (y - 1) * cell, cell, cell));
    }
  }
  painter.setBrush(Qt::NoBrush);
  DrawGrid(painter, origin, cell, PrintPart{1, data.width, 1, data.height});
}

}  // namespace

std::string RenderPng(const std::string& path, const TPixlerFileData& data, int scale) {
  CheckSize(path, data);
  if (scale < 1 || scale > kLargestPngScale) {
    throw TPixlerFileError(path, 0,
                           "the scale " + std::to_string(scale) + " is not between 1 and " +
                               std::to_string(kLargestPngScale));
  }
  const OffscreenApplication application;
  QImage image(data.width * scale, data.height * scale, QImage::Format_Grayscale8);
  image.fill(Qt::white);
  for (int y = 1; y <= data.height; ++y) {
    for (int x = 1; x <= data.width; ++x) {
      if (!IsCellFilled(data.cells[x][y])) continue;
      for (int row = (y - 1) * scale; row < y * scale; ++row) {
        std::fill_n(image.scanLine(row) + (x - 1) * scale, scale, uchar{0});
      }
    }
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) throw TPixlerFileError(path, 0, "cannot be written as PNG");
  return Bytes(bytes);
}

std::string RenderPdf(const std::string& path, const TPixlerFileData& data,
                      const std::string& title, const PuzzleImage& solution) {
  CheckSize(path, data);
  const bool with_solution = !solution.empty();
  if (with_solution && (static_cast<int>(solution.size()) != data.height ||
                        std::any_of(solution.begin(), solution.end(), [&](const std::string& row) {
                          return static_cast<int>(row.size()) != data.width;
                        }))) {
    throw TPixlerFileError(path, 0, "the solution does not have the puzzle's size");
  }
  const OffscreenApplication application;
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(kResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMargin, kMargin, kMargin, kMargin),
                                     QPageLayout::Millimeter));
    writer.setTitle(QString::fromStdString(title));
    writer.setCreator(QStringLiteral("Pixlers solver"));

    const double page_width = writer.width();
    const double page_height = writer.height();
    const ClueLines columns = ColumnClues(data);
    const ClueLines rows = RowClues(data);
    const int top_depth = Depth(columns);
    const int left_depth = Depth(rows);
    const QString widest = WidestClue(columns, rows);
    // The smallest cell that still holds the widest clue at a readable size.
    const double reference = Units(10);
    const double width_per_height =
        QFontMetricsF(TextFont(reference), &writer).horizontalAdvance(widest) / reference;
    const double smallest_cell =
        std::max(Units(kSmallestText) / 0.62, Units(kSmallestText) * width_per_height / 0.84);
    const PrintLayout layout =
        PrintLayout::Plan(page_width, page_height - Units(kHeading), data.width, data.height,
                          top_depth, left_depth, smallest_cell, Units(kLargestCell));
    const double cell = layout.cell;
    const double text_height = TextHeightFor(cell, widest, &writer);

    const QString heading = QString::fromStdString(title);
    const QString size = QStringLiteral("%1 x %2").arg(data.width).arg(data.height);
    QPainter painter;
    if (!painter.begin(&writer)) {
      throw TPixlerFileError(path, 0, "cannot be written as PDF");
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const int parts = static_cast<int>(layout.parts.size());
    for (int index = 0; index < parts; ++index) {
      const PrintPart& part = layout.parts[index];
      if (index > 0) writer.newPage();
      QString subtitle = size;
      if (parts > 1) {
        subtitle = QStringLiteral("%1, part %2 of %3: %4, %5")
                       .arg(size)
                       .arg(index + 1)
                       .arg(parts)
                       .arg(Range("columns", part.first_column, part.columns),
                            Range("rows", part.first_row, part.rows));
      }
      DrawHeading(painter, page_width, heading, subtitle);
      const double block_width = (left_depth + part.columns) * cell;
      const QPointF origin((page_width - block_width) / 2 + left_depth * cell,
                           Units(kHeading) + top_depth * cell);
      DrawClues(painter, origin, cell, part, top_depth, left_depth, columns, rows, text_height);
      DrawGrid(painter, origin, cell, part);
    }
    if (with_solution) {
      writer.newPage();
      DrawHeading(painter, page_width, heading, size + QStringLiteral(", solution"));
      DrawSolution(painter, page_width, page_height - Units(kHeading), data, solution);
    }
    if (!painter.end()) throw TPixlerFileError(path, 0, "cannot be written as PDF");
  }
  return Bytes(bytes);
}

void ExportPng(const std::string& path, const TPixlerFileData& data, int scale) {
  WriteFileAtomically(path, RenderPng(path, data, scale));
}

void ExportPdf(const std::string& path, const TPixlerFileData& data, const std::string& title,
               const PuzzleImage& solution) {
  WriteFileAtomically(path, RenderPdf(path, data, title, solution));
}
