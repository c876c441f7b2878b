#include "cli/Batch.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <iomanip>
#include <mutex>
#include <sstream>
#include <thread>

#include "cli/DocumentSolve.h"
#include "cli/ThreadPlatform.h"
#include "document/MessageText.h"
#include "document/Pixler.h"
#include "document/PuzzleFormats.h"

namespace {

namespace fs = std::filesystem;

constexpr int kExitAllSolved = 0;
constexpr int kExitNotAllSolved = 1;
constexpr std::size_t kLongestName = 4096;

Batch::Row ErrorRow(const std::string& file, const std::string& reason) {
  Batch::Row row;
  row.file = file;
  row.reason = reason;
  return row;
}

// Collects the puzzle files under `folder`. Every entry that cannot be
// examined (a loop of links, a folder that cannot be listed) becomes an
// error row of its own and the walk goes on; links to folders are not
// followed, so no loop of folders can keep it going.
void Walk(const fs::path& folder, std::vector<std::string>& found,
          std::vector<Batch::Row>& unreadable) {
  std::error_code error;
  fs::directory_iterator entries(folder, error);
  if (error) {
    unreadable.push_back(
        ErrorRow(folder.string(), "the folder cannot be listed: " + error.message()));
    return;
  }
  // A failed step ends the listing, so the error is looked at before the end.
  for (;; entries.increment(error)) {
    if (error) {
      unreadable.push_back(
          ErrorRow(folder.string(), "the folder cannot be listed to its end: " + error.message()));
      return;
    }
    if (entries == fs::directory_iterator()) return;
    const fs::path& path = entries->path();
    const fs::file_status own = entries->symlink_status(error);
    if (!error && fs::is_directory(own)) {
      Walk(path, found, unreadable);
      continue;
    }
    if (!PuzzleFormatFromPath(path.string())) continue;
    const fs::file_status target = entries->status(error);
    if (error) {
      unreadable.push_back(
          ErrorRow(path.string(), "the file cannot be examined: " + error.message()));
    } else if (fs::is_regular_file(target)) {
      found.push_back(path.string());
    }
  }
}

const char* ResultName(Batch::Result result) {
  switch (result) {
    case Batch::Result::solved:
      return "solved";
    case Batch::Result::stuck:
      return "stuck";
    case Batch::Result::contradiction:
      return "contradiction";
    case Batch::Result::timeout:
      return "timeout";
    case Batch::Result::error:
      return "error";
    case Batch::Result::interrupted:
      return "interrupted";
  }
  return "";
}

// Installs the batch's platform for as long as the batch lasts.
class PlatformScope {
 public:
  explicit PlatformScope(TPlatform& platform) : previous_(InstallPlatform(&platform)) {}
  ~PlatformScope() { InstallPlatform(previous_); }
  PlatformScope(const PlatformScope&) = delete;
  PlatformScope& operator=(const PlatformScope&) = delete;

 private:
  TPlatform* previous_;
};

void DrawProgress(std::ostream& progress, size_t done, size_t total) {
  constexpr size_t kWidth = 40;
  const size_t filled = total == 0 ? kWidth : done * kWidth / total;
  progress << "\r[" << std::string(filled, '#') << std::string(kWidth - filled, '.') << "] " << done
           << "/" << total << std::flush;
}

void PrintTable(std::ostream& out, const std::vector<Batch::Row>& rows) {
  size_t file_width = 4;
  // A file's name may hold line ends or terminal controls.
  std::vector<std::string> names;
  for (const Batch::Row& row : rows) {
    names.push_back(MessageText(row.file, kLongestName));
    file_width = std::max(file_width, names.back().size());
  }
  out << std::left << std::setw(static_cast<int>(file_width)) << "file"
      << "  " << std::setw(7) << "size"
      << "  " << std::setw(13) << "result"
      << "  " << std::right << std::setw(8) << "CPU s" << '\n';
  for (size_t i = 0; i < rows.size(); ++i) {
    const Batch::Row& row = rows[i];
    const std::string size =
        row.width > 0 ? std::to_string(row.width) + "x" + std::to_string(row.height) : "-";
    out << std::left << std::setw(static_cast<int>(file_width)) << names[i] << "  " << std::setw(7)
        << size << "  " << std::setw(13) << ResultName(row.result) << "  " << std::right
        << std::setw(8) << std::fixed << std::setprecision(2) << row.cpu_seconds;
    if (!row.reason.empty()) out << "  " << row.reason;
    out << '\n';
  }
}

}  // namespace

std::vector<std::string> Batch::FindPuzzleFiles(const std::vector<std::string>& paths,
                                                std::vector<Row>& unreadable) {
  std::vector<std::string> files;
  for (const std::string& path : paths) {
    std::error_code error;
    if (!fs::is_directory(path, error)) {
      files.push_back(path);
      continue;
    }
    std::vector<std::string> found;
    Walk(path, found, unreadable);
    std::sort(found.begin(), found.end());
    files.insert(files.end(), found.begin(), found.end());
  }
  return files;
}

Batch::Row Batch::Solve(const std::string& file) {
  Row row;
  row.file = file;
  std::vector<std::string> messages;
  ThreadPlatform::Route route(messages);
  auto pixler = TPixler::CreateHeadless();
  if (!LoadPuzzle(*pixler, file, row.reason)) return row;
  row.width = pixler->GetWidth();
  row.height = pixler->GetHeight();
  ApplySolverOptions(*pixler, options_);
  bool timed_out = false;
  {
    StopWatcher::Watch watch(
        watcher_, [&pixler] { pixler->Stop(); }, options_.timeout);
    RunCommand(*pixler, TCliCommand::Realtime);
    timed_out = watch.TimedOut();
  }
  row.cpu_seconds = static_cast<double>(pixler->LastCpuTime()) / 100;
  const bool undecided = HasUndecidedCell(*pixler);
  for (const std::string& message : messages) {
    if (message.find("Internal Solver error") != std::string::npos) row.reason = message;
  }
  if (!row.reason.empty()) {
    row.result = Result::error;
  } else if (pixler->LastRunFoundError()) {
    row.result = Result::contradiction;
  } else if (!undecided) {
    row.result = Result::solved;
  } else if (timed_out) {
    row.result = Result::timeout;
  } else if (watcher_.Signal() != 0) {
    row.result = Result::interrupted;
  } else {
    row.result = Result::stuck;
  }
  return row;
}

int Batch::Run(std::ostream& out, std::ostream* progress) {
  const auto started = std::chrono::steady_clock::now();
  std::vector<Row> unreadable;
  const std::vector<std::string> files = FindPuzzleFiles(options_.paths, unreadable);
  if (files.empty() && unreadable.empty()) {
    // Most likely a wrong folder: an empty batch must not pass for success.
    out << "no puzzle files found\n";
    return kExitNotAllSolved;
  }

  ThreadPlatform platform(options_.first_solution);
  PlatformScope platform_scope(platform);

  std::vector<Row> rows(files.size());
  std::vector<bool> attempted(files.size(), false);
  std::atomic<size_t> next = 0;
  std::mutex mutex;
  std::condition_variable finished;
  size_t done = 0;

  const int jobs = options_.jobs > 0
                       ? options_.jobs
                       : std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  std::vector<std::thread> workers;
  for (int i = 0; i < std::min<int>(jobs, static_cast<int>(files.size())); ++i) {
    workers.emplace_back([&] {
      for (size_t index = next++; index < files.size() && watcher_.Signal() == 0; index = next++) {
        Row row = Solve(files[index]);
        std::lock_guard lock(mutex);
        rows[index] = std::move(row);
        attempted[index] = true;
        ++done;
        finished.notify_all();
      }
    });
  }
  {
    std::unique_lock lock(mutex);
    while (done < files.size() && watcher_.Signal() == 0) {
      if (progress != nullptr) DrawProgress(*progress, done, files.size());
      finished.wait_for(lock, std::chrono::milliseconds(200));
    }
  }
  for (std::thread& worker : workers) worker.join();
  if (progress != nullptr) *progress << "\r\033[K" << std::flush;

  std::vector<Row> table = unreadable;
  for (size_t i = 0; i < files.size(); ++i) {
    if (attempted[i]) table.push_back(rows[i]);
  }
  PrintTable(out, table);

  int counts[6] = {};
  double cpu = 0;
  for (const Row& row : table) {
    ++counts[static_cast<int>(row.result)];
    cpu += row.cpu_seconds;
  }
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::ostringstream summary;
  summary << table.size() << " puzzles: " << counts[0] << " solved, " << counts[1] << " stuck, "
          << counts[2] << " contradiction, " << counts[3] << " timeout, " << counts[4] << " error";
  if (counts[5] > 0) summary << ", " << counts[5] << " interrupted";
  if (table.size() < files.size() + unreadable.size()) {
    summary << ", " << files.size() + unreadable.size() - table.size() << " not started";
  }
  summary << "; " << std::fixed << std::setprecision(2) << cpu << " CPU seconds, " << wall
          << " s wall, " << jobs << (jobs == 1 ? " job" : " jobs");
  out << summary.str() << '\n' << std::flush;

  if (watcher_.Signal() != 0) return watcher_.SignalStatus();
  return counts[0] == static_cast<int>(table.size()) ? kExitAllSolved : kExitNotAllSolved;
}
