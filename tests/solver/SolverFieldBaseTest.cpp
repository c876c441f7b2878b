#include "SolverPictures.h"

namespace {

// The brute force tries cells near the centre and with many decided
// neighbours first: the order is the distance term 200 - 200 / ((|dx| + 1) *
// (|dy| + 1)), or 200 without a centre, plus 33 less the neighbours' weights
// (6 beside, 2 above, below or diagonal, 1 two away when wide), or 112 without
// any. Narrow queues leave out orders of 256 and more.
TEST(SolverFieldBaseTest, CellOrderFavoursTheCentreAndDecidedNeighbours) {
  struct TCase {
    const char* name;
    int32_t center_x, center_y, wide, x, y, order, queued;
  };
  const TCase cases[] = {
      {"corner", -1, -1, true, 1, 1, 200 + 33 - 14, true},
      {"far from all", -1, -1, false, 4, 3, 200 + 112, false},
      {"two from the frame", -1, -1, true, 2, 2, 200 + 33 - 2, true},
      {"decided", -1, -1, true, 2, 5, 0, false},
      {"centre", 4, 3, false, 4, 3, 0 + 112, true},
      {"next to the centre", 4, 3, false, 4, 2, 100 + 112, true},
      {"diagonal to the centre", 4, 3, false, 3, 2, 150 + 112, false},
      {"edge", 4, 3, false, 4, 1, 134 + 33 - 6, true},
      {"beside the decided cell", 4, 3, false, 3, 5, 167 + 33 - 6, true},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.name);
    TSolver solver(nullptr, 7, 6);
    LoadPuzzle(solver, Picture("....... ....... ....... ....... .#..... ......."),
               Picture("??????? ??????? ??????? ??????? ?#????? ???????"));
    TSolverField& field = *solver.field;
    field.Prepare();
    auto queue = field.CreateCellQueue(false, test.center_x, test.center_y, test.wide != 0);
    EXPECT_EQ(field.order[SolverOrderIndex(test.x, test.y)], test.order);
    bool queued = false;
    int32_t priority = 0;
    while (int32_t key = queue->Extract(priority)) queued |= key == (test.x - 1) * 6 + test.y;
    EXPECT_EQ(queued, test.queued != 0);
  }
}

}  // namespace
