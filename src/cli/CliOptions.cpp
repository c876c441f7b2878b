#include "cli/CliOptions.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

#include "cli/DocumentSolve.h"
#include "cli/ExitStatus.h"

namespace {

const char* const kStatusText = R"(
Exit status:
  0  the picture is complete and no contradiction was found
  1  undecided cells remain (also when --timeout ended the run)
  2  the solver found a contradiction, or the clues have no solution
  3  usage error, or FILE could not be read or the result not written
  130, 143  SIGINT or SIGTERM stopped the run; the partial picture is printed
)";

// The switches of the window's Solver menu, shared by solve and batch.
void AddSolverSwitches(CLI::App& command, TCliOptions& options) {
  const std::pair<const char*, const char*> methods[] = {
      {"--no-row2", "do not use row method #2: Between"},
      {"--no-row3", "do not use row method #3: Bigger"},
      {"--no-row4", "do not use row method #4: Empty"},
      {"--no-row5", "do not use row method #5: Posibilities"},
      {"--no-bruteforce", "do not use field method #2: Bruteforce!"},
      {"--no-deep", "do not allow deeper recursion"},
  };
  bool* flags[] = {&options.use_row2, &options.use_row3,       &options.use_row4,
                   &options.use_row5, &options.use_bruteforce, &options.allow_deep};
  for (size_t i = 0; i < std::size(methods); ++i) {
    bool* flag = flags[i];
    command.add_flag_callback(
        methods[i].first, [flag] { *flag = false; }, methods[i].second);
  }
  command.add_flag("--doubled", options.allow_doubled, "allow doubled recursion");
  command
      .add_option_function<std::string>(
          "--multiple",
          [&options](const std::string& answer) { options.first_solution = answer == "first"; },
          "which solution to take when the solver finds several: first (default) or second")
      ->type_name("ANSWER")
      ->check(CLI::IsMember({"first", "second"}));
}

// Refusals in words: CLI11's own range checks print the limits of a double.
std::string PositiveSeconds(const std::string& text) {
  char* end = nullptr;
  const double seconds = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !std::isfinite(seconds) || seconds <= 0) {
    return "SECONDS must be a number of seconds greater than 0, not \"" + text + "\"";
  }
  return {};
}

std::string PositiveWholeNumber(const std::string& text) {
  if (text.empty() || text.size() > 9 ||
      text.find_first_not_of("0123456789") != std::string::npos || std::stoi(text) < 1) {
    return "N must be a whole number of 1 or more, not \"" + text + "\"";
  }
  return {};
}

void AddTimeout(CLI::App& command, TCliOptions& options, const char* what) {
  command.add_option("--timeout", options.timeout, what)
      ->type_name("SECONDS")
      ->check(PositiveSeconds);
}

void AddThreads(CLI::App& command, TCliOptions& options) {
  command
      .add_option("--threads", options.threads,
                  "searches side by side (default: one per core; two at most run);\n"
                  "any number gives the same verdict and the same first solution")
      ->type_name("N")
      ->check(CLI::Range(1, 256));
}

}  // namespace

bool ParseCliArguments(const std::vector<std::string>& arguments, TCliOptions& options, int& status,
                       std::ostream& out, std::ostream& err) {
  CLI::App app("Solves, checks, converts and makes nonogram puzzle files without a window.",
               "pixlers-cli");
  app.require_subcommand(1);
  app.footer("Run \"pixlers-cli COMMAND --help\" for the options of one command.");

  CLI::App& solve = *app.add_subcommand("solve", "solve one puzzle file and print its picture");
  solve.footer(
      "\nLoads the puzzle FILE, runs one solve command on it as the window's Solver\n"
      "menu would, and prints the resulting picture on standard output, one line per\n"
      "row: '#' filled, '.' empty, '?' undecided (pencil marks included). Every\n"
      "message the solver shows is printed on standard error as \"CAPTION: TEXT\".\n"
      "SIGINT and SIGTERM stop the run as --timeout does.\n" +
      std::string(kStatusText));
  const std::map<std::string, TCliCommand> commands = {
      {"next", TCliCommand::Next},         {"all", TCliCommand::All},
      {"pass", TCliCommand::Pass},         {"all-passes", TCliCommand::AllPasses},
      {"realtime", TCliCommand::Realtime},
  };
  solve
      .add_option_function<std::string>(
          "--command",
          [&options, commands](const std::string& name) { options.command = commands.at(name); },
          "the solve command to run (default realtime):\n"
          "  next        find next piece of the solution\n"
          "  all         find all pieces of the solution\n"
          "  pass        run full-pass iteration\n"
          "  all-passes  run all full-pass iterations\n"
          "  realtime    find the entire solution at once")
      ->type_name("COMMAND")
      ->check(CLI::IsMember({"next", "all", "pass", "all-passes", "realtime"}));
  AddSolverSwitches(solve, options);
  solve
      .add_option_function<std::string>(
          "--engine",
          [&options](const std::string& engine) { options.search_engine = engine == "search"; },
          "field (default): the window's solver with the options above;\n"
          "search: the complete engine, which always decides the puzzle; the\n"
          "first solution is taken when there are several")
      ->type_name("ENGINE")
      ->check(CLI::IsMember({"field", "search"}));
  AddTimeout(solve, options, "stop the run after SECONDS; the partial picture is printed");
  AddThreads(solve, options);
  solve
      .add_option("--output", options.output,
                  "also save the resulting puzzle to FILE, in the format its\n"
                  "extension names (as convert writes; a name without one gets a\n"
                  "puzzle file); \"-\" writes the puzzle file to standard output\n"
                  "instead of the picture")
      ->type_name("FILE")
      ->check([](const std::string& name) {
        return name.empty() ? std::string("--output needs a file name") : OutputFormatError(name);
      });
  solve.add_option("FILE", options.input, "the puzzle file")->required();

  CLI::App& batch =
      *app.add_subcommand("batch", "solve many puzzle files in parallel and print a table");
  batch.footer(
      "\nSolves every puzzle file named, and every .pixler, .ppixler, .spixler, .non\n"
      "and .xml file in the folders named (searched recursively, a file or folder\n"
      "that cannot be read is an error row), with the realtime command, on\n"
      "several workers at once. Prints one row per file (file, size, result, CPU\n"
      "seconds) and a summary line. Results: solved, stuck (undecided cells remain),\n"
      "contradiction, timeout, error (the file could not be read). A progress bar\n"
      "shows on standard error when it is a terminal.\n"
      "\nExit status:\n"
      "  0  every puzzle was solved\n"
      "  1  some puzzle was not solved, or a file could not be read\n"
      "  3  usage error\n"
      "  130, 143  SIGINT or SIGTERM stopped the batch\n");
  batch.add_option("--jobs", options.jobs, "workers in parallel (default: one per core)")
      ->type_name("N")
      ->check(CLI::Range(1, 256));
  AddTimeout(batch, options, "stop a puzzle's run after SECONDS; it counts as timeout");
  AddSolverSwitches(batch, options);
  batch.add_option("PATH", options.paths, "puzzle files and folders")->required();

  CLI::App& check = *app.add_subcommand("check", "tell whether a puzzle has exactly one solution");
  check.add_option("FILE", options.input, "the puzzle file")->required();
  AddTimeout(check, options, "give up after SECONDS");
  AddThreads(check, options);
  check.footer(
      "\nPrints \"unique\", \"multiple\" or \"none\" for the number of solutions of the\n"
      "clues in FILE (its picture is ignored), proven by the complete engine. After\n"
      "\"unique\", a second line tells what the solution needed: \"line logic\" alone,\n"
      "\"probing\" of single cells, or \"search\".\n"
      "\nExit status:\n"
      "  0  unique\n"
      "  1  multiple\n"
      "  2  none\n"
      "  3  usage error, FILE could not be read, or --timeout ended the run first\n"
      "  130, 143  SIGINT or SIGTERM stopped the run\n");

  CLI::App& count = *app.add_subcommand("count", "count the solutions of a puzzle");
  count.add_option("--max", options.max_solutions, "stop counting at N (default 1000)")
      ->type_name("N")
      ->check(CLI::Range(1, 1000000000));
  AddTimeout(count, options, "give up after SECONDS");
  AddThreads(count, options);
  count.add_option("FILE", options.input, "the puzzle file")->required();
  count.footer(
      "\nPrints how many solutions the clues in FILE have (its picture is ignored),\n"
      "counting up to N.\n"
      "\nExit status:\n"
      "  0  the count is printed\n"
      "  3  usage error, FILE could not be read, or --timeout ended the count first\n"
      "     (the solutions found so far are printed)\n"
      "  130, 143  SIGINT or SIGTERM stopped the count\n");

  CLI::App& convert = *app.add_subcommand("convert", "convert a puzzle file to another format");
  convert.add_option("--scale", options.scale, "pixels per cell of a PNG picture (default 1)")
      ->type_name("N")
      ->check(CLI::Range(1, 32));
  convert.add_flag("--solution", options.with_solution,
                   "add a page with the solution to a PDF printout");
  convert.add_option("--index", options.index, "the N-th puzzle of an XML set (default 1)")
      ->type_name("N")
      ->check(PositiveWholeNumber);
  convert.add_option("IN", options.input, "the puzzle file to read")->required();
  convert.add_option("OUT", options.output, "the file to write")->required();
  convert.footer(
      "\nThe formats follow the extensions: .pixler, .ppixler and .spixler are the\n"
      "program's puzzle files, .non the nonogram text format, .xml the XML puzzle\n"
      "set format. OUT may also be a .png picture (filled cells black) or a .pdf\n"
      "printout of the empty grid with its clues, titled with the puzzle's title or\n"
      "IN's name; both show the goal when IN has one. IN may be an image (.png,\n"
      ".jpg, .bmp, .pbm), read as the window's import reads it. The puzzle file\n"
      "keeps no title or goal, the exchange formats no pencil marks. OUT is\n"
      "replaced only when it has been written whole.\n"
      "\nExit status:\n"
      "  0  OUT was written\n"
      "  3  usage error, or IN could not be read or OUT not written\n");

  CLI::App& make_unique = *app.add_subcommand(
      "make-unique", "change few cells of a picture so that its clues have one solution");
  make_unique.add_flag("--line-logic", options.line_logic,
                       "demand a picture that line logic alone solves");
  AddTimeout(make_unique, options, "give up after SECONDS");
  make_unique.add_option("IN", options.input, "the puzzle file with the picture")->required();
  make_unique.add_option("OUT", options.output, "the puzzle file to write")->required();
  make_unique.footer(
      "\nReads the picture drawn in IN (its filled cells; its clues are ignored),\n"
      "changes as few cells as it can find so that the clues of the changed\n"
      "picture have exactly one solution, and writes OUT, in the format of its\n"
      "extension, with the changed picture and the clues made from it. Prints the\n"
      "number of changed cells and what the solution needs: \"line logic\" alone,\n"
      "\"probing\" of single cells, or \"search\".\n"
      "\nExit status:\n"
      "  0  OUT was written and its clues have one solution (of line logic with\n"
      "     --line-logic)\n"
      "  1  no such change was found, within --timeout if given; OUT is not written\n"
      "  3  usage error, or IN could not be read or OUT not written\n"
      "  130, 143  SIGINT or SIGTERM stopped the run; OUT is not written\n");
  AddGenerateCommand(app, options.generate);

  CLI::App* parsed = nullptr;
  try {
    app.parse(std::vector<std::string>(arguments.rbegin(), arguments.rend()));
    for (CLI::App* command : app.get_subcommands()) parsed = command;
  } catch (const CLI::ParseError& error) {
    if (error.get_exit_code() == 0) {
      status = app.exit(error, out, err);
      return false;
    }
    err << "pixlers-cli: " << error.what() << "\nTry \"pixlers-cli --help\".\n";
    status = kExitError;
    return false;
  }
  const std::map<std::string, CliJob> jobs = {
      {"solve", CliJob::solve}, {"batch", CliJob::batch},     {"check", CliJob::check},
      {"count", CliJob::count}, {"convert", CliJob::convert}, {"make-unique", CliJob::make_unique},
      {"generate", CliJob::generate},
  };
  options.job = jobs.at(parsed->get_name());
  return true;
}
