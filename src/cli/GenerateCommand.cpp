#include "cli/GenerateCommand.h"

#include <CLI/CLI.hpp>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <random>
#include <stdexcept>
#include <system_error>

#include "cli/ExitStatus.h"
#include "document/GeneratedPuzzle.h"
#include "document/PixlerFile.h"
#include "document/PuzzleFormats.h"

namespace {

constexpr int kExitWritten = 0;
constexpr int kExitGradeNotMet = 1;

const std::map<std::string, search::Grade> kGrades = {
    {"line-logic", search::Grade::line_logic},
    {"probing", search::Grade::probing},
    {"search", search::Grade::search},
};

// "WxH" with both sides 1..100.
std::string ParseSize(const std::string& text, int& width, int& height) {
  int w = 0;
  int h = 0;
  char x = 0;
  char rest = 0;
  if (std::sscanf(text.c_str(), "%d%c%d%c", &w, &x, &h, &rest) != 3 || (x != 'x' && x != 'X'))
    return "expected WIDTHxHEIGHT, for example 15x15";
  if (w < 1 || w > 100 || h < 1 || h > 100) return "each side must be 1..100";
  width = w;
  height = h;
  return "";
}

std::uint64_t SystemSeed() {
  std::random_device device;
  return (static_cast<std::uint64_t>(device()) << 32) | device();
}

// The puzzles of a folder in the order made, with room for the count's
// digits so that they list in that order.
std::string FileInFolder(const std::string& folder, int index, int count) {
  std::string number = std::to_string(index);
  number.insert(0, std::to_string(count).size() - number.size(), '0');
  return (std::filesystem::path(folder) / ("puzzle-" + number + ".pixler")).string();
}

}  // namespace

void AddGenerateCommand(CLI::App& app, TGenerateOptions& options) {
  CLI::App& generate = *app.add_subcommand(
      "generate", "make puzzles whose clues have exactly one solution of a chosen grade");
  generate
      .add_option_function<std::string>(
          "--size",
          [&options](const std::string& text) { ParseSize(text, options.width, options.height); },
          "the puzzle's width and height, 1..100 each")
      ->type_name("WxH")
      ->required()
      ->check([](const std::string& text) {
        int width = 0;
        int height = 0;
        return ParseSize(text, width, height);
      });
  generate
      .add_option_function<std::string>(
          "--grade", [&options](const std::string& name) { options.grade = kGrades.at(name); },
          "what the solution needs: line-logic alone, probing of single\n"
          "cells, or search")
      ->type_name("GRADE")
      ->required()
      ->check(CLI::IsMember({"line-logic", "probing", "search"}));
  generate
      .add_option_function<double>(
          "--density", [&options](double density) { options.density = density; },
          "the share of filled cells the pictures start from, 0..1\n"
          "(default 0.6 for line-logic, 0.5 for probing, 0.4 for search)")
      ->type_name("D")
      ->check(CLI::Range(0.0, 1.0));
  generate
      .add_option_function<std::uint64_t>(
          "--seed", [&options](std::uint64_t seed) { options.seed = seed; },
          "the seed of the random pictures (default: a new one each run)")
      ->type_name("N");
  generate
      .add_option("--count", options.count,
                  "write K puzzles, from seeds N, N+1, ..., into the folder OUT")
      ->type_name("K")
      ->check(CLI::Range(1, 100000));
  generate.add_option("OUT", options.output, "the puzzle file to write (the folder with --count)")
      ->required();
  generate.footer(
      "\nMakes a puzzle from random pictures and writes its clues, with every cell\n"
      "undecided, to OUT in the format of OUT's extension (with --count, K puzzle\n"
      "files numbered from puzzle-1.pixler, with as many digits as K has, into\n"
      "the folder OUT, made if missing). The clues\n"
      "have exactly one solution, and solving it needs the grade asked, proven by\n"
      "the complete engine. Prints one line per puzzle: \"FILE: GRADE, seed N\".\n"
      "The same options and seed give the same file on every machine.\n"
      "\nExit status:\n"
      "  0  every puzzle was written\n"
      "  1  no puzzle of the grade was found within a bounded effort (a small\n"
      "     size or an extreme density); the puzzles before it were written\n"
      "  3  usage error, or a file could not be written\n"
      "  130, 143  SIGINT or SIGTERM stopped the run\n");
}

int RunGenerate(const TGenerateOptions& options, StopWatcher& watcher) {
  const bool folder = options.count > 0;
  if (folder) {
    std::error_code error;
    std::filesystem::create_directories(options.output, error);
    if (error) {
      std::cerr << "pixlers-cli: " << options.output << ": " << error.message() << '\n';
      return kExitError;
    }
  } else if (!PuzzleFormatFromPath(options.output)) {
    std::cerr << "pixlers-cli: " << options.output
              << ": cannot write such files (expected .pixler, .ppixler, .spixler, .non or "
                 ".xml)\n";
    return kExitError;
  }
  const std::uint64_t first_seed = options.seed ? *options.seed : SystemSeed();
  const double density = options.density ? *options.density : search::DefaultDensity(options.grade);
  const int count = folder ? options.count : 1;
  for (int index = 1; index <= count; ++index) {
    const search::GenerateRequest request{options.width, options.height, options.grade, density,
                                          first_seed + static_cast<std::uint64_t>(index - 1)};
    std::atomic<bool> stop = false;
    search::GenerateLimits limits;
    limits.stop = &stop;
    search::Generated generated;
    try {
      StopWatcher::Watch watch(
          watcher, [&stop] { stop = true; }, 0);
      generated = search::GeneratePuzzle(request, limits);
    } catch (const std::invalid_argument& error) {
      std::cerr << "pixlers-cli: " << error.what() << '\n';
      return kExitError;
    }
    if (generated.stopped) return watcher.SignalStatus();
    if (!generated.found) {
      std::cerr << "pixlers-cli: no " << options.width << "x" << options.height
                << " puzzle whose solution needs " << search::GradeName(options.grade)
                << " was found at density " << density << " from seed " << request.seed << " after "
                << generated.tries << " tries; a larger size or another density may have one\n";
      return kExitGradeNotMet;
    }
    const std::string file = folder ? FileInFolder(options.output, index, count) : options.output;
    try {
      WritePuzzleFile(file, PuzzleOf(generated));
    } catch (const TPixlerFileError& error) {
      std::cerr << "pixlers-cli: " << error.what() << '\n';
      return kExitError;
    }
    std::cout << file << ": " << search::GradeName(options.grade) << ", seed " << request.seed
              << std::endl;
  }
  return kExitWritten;
}
