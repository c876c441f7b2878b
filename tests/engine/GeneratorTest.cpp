#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <limits>
#include <stdexcept>
#include <tuple>

#include "SearchPictures.h"
#include "engine/SearchEngine.h"

namespace {

using search::Cell;
using search::Generated;
using search::GenerateLimits;
using search::GeneratePuzzle;
using search::GenerateRequest;
using search::Grade;
using search_test::PictureOf;
using search_test::Satisfies;

TEST(GeneratorTest, MakesCluesWithOneSolutionOfTheGradeAsked) {
  // Width, height, grade, density and how many seeds are tried.
  using TCase = std::tuple<int, int, Grade, double, int>;
  const TCase cases[] = {
      {8, 8, Grade::line_logic, 0.5, 20}, {12, 5, Grade::line_logic, 0.3, 20},
      {10, 10, Grade::probing, 0.5, 20},  {7, 13, Grade::probing, 0.6, 20},
      {20, 20, Grade::search, 0.4, 2},
  };
  for (const auto& [width, height, grade, density, seeds] : cases) {
    for (int seed = 1; seed <= seeds; ++seed) {
      SCOPED_TRACE(testing::Message() << width << "x" << height << " grade "
                                      << static_cast<int>(grade) << " seed " << seed);
      const Generated generated = GeneratePuzzle(
          GenerateRequest{width, height, grade, density, static_cast<std::uint64_t>(seed)}, {});
      ASSERT_TRUE(generated.found);
      EXPECT_FALSE(generated.stopped);
      EXPECT_TRUE(Satisfies(generated.solution, generated.clues));
      const search::Result check = search::FindSolutions(generated.clues, {}, {});
      ASSERT_TRUE(check.Unique());
      EXPECT_EQ(check.grade, grade);
      const auto filled = std::count(generated.solution.cells.begin(),
                                     generated.solution.cells.end(), Cell::filled);
      EXPECT_NEAR(static_cast<double>(filled) / (width * height), density, 0.15);
    }
  }
}

TEST(GeneratorTest, ASeedMakesTheSamePuzzleEverywhere) {
  const GenerateRequest request{6, 5, Grade::line_logic, 0.5, 42};
  const Generated first = GeneratePuzzle(request, {});
  // Written down once: a standard library whose random numbers or ordering
  // differ would draw another picture.
  EXPECT_EQ(PictureOf(first.solution), "##.... ###### .###.. ..###. ...#..");
  EXPECT_EQ(PictureOf(GeneratePuzzle(request, {}).solution), PictureOf(first.solution));
  GenerateRequest other = request;
  other.seed = 43;
  EXPECT_NE(PictureOf(GeneratePuzzle(other, {}).solution), PictureOf(first.solution));
}

// A grade no picture of the size has is searched for in vain, unless a stop
// ends the search at its first progress report; a size or density out of
// range is refused at once.
TEST(GeneratorTest, RefusesWhatCannotBeMadeAndStopsWhenAsked) {
  for (const GenerateRequest& request : {GenerateRequest{2, 2, Grade::search, 0.5, 1},
                                         GenerateRequest{1, 9, Grade::probing, 0.5, 1}}) {
    SCOPED_TRACE(testing::Message() << request.width << "x" << request.height);
    const Generated refused = GeneratePuzzle(request, {});
    EXPECT_FALSE(refused.found);
    EXPECT_FALSE(refused.stopped);
    EXPECT_GT(refused.tries, 0);
    std::atomic<bool> stop = false;
    int reports = 0;
    GenerateLimits limits;
    limits.stop = &stop;
    limits.progress = [&](const search::GenerateProgress& progress) {
      ++reports;
      EXPECT_GT(progress.max_tries, progress.tries);
      stop = true;
    };
    const Generated stopped = GeneratePuzzle(request, limits);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_FALSE(stopped.found);
    EXPECT_EQ(reports, 1);
  }
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (const GenerateRequest& request : {GenerateRequest{0, 5, Grade::line_logic, 0.5, 1},
                                         GenerateRequest{5, 101, Grade::line_logic, 0.5, 1},
                                         GenerateRequest{5, 5, Grade::line_logic, -0.1, 1},
                                         GenerateRequest{5, 5, Grade::line_logic, 1.5, 1},
                                         GenerateRequest{5, 5, Grade::line_logic, nan, 1}}) {
    EXPECT_THROW(GeneratePuzzle(request, {}), std::invalid_argument);
  }
}

}  // namespace
