#include "cli/PictureExport.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "document/AtomicFile.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr const char* kHelper = "pixlers-export";

// Installed: the helper's folder as seen from pixlers-cli's. Built: beside it.
std::string FindHelper() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (error) return {};
  for (const fs::path& candidate : {self.parent_path() / PIXLERS_INSTALLED_HELPER_DIR / kHelper,
                                    self.parent_path() / kHelper}) {
    if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
  }
  return {};
}

class Pipe {
 public:
  Pipe() {
    if (::pipe2(ends_, O_CLOEXEC) != 0) ends_[0] = ends_[1] = -1;
  }
  ~Pipe() {
    Close(0);
    Close(1);
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;

  bool Open() const { return ends_[0] >= 0; }
  int End(int which) const { return ends_[which]; }
  void Close(int which) {
    if (ends_[which] >= 0) ::close(ends_[which]);
    ends_[which] = -1;
  }

 private:
  int ends_[2];
};

// Runs the helper with the puzzle on its standard input and returns what it
// wrote on its standard output. Its messages go straight to ours.
std::string RunHelper(const std::string& path, std::vector<std::string> arguments,
                      const std::string& input) {
  auto fail = [&](const std::string& reason) { throw TPixlerFileError(path, 0, reason); };
  const std::string helper = FindHelper();
  if (helper.empty()) {
    const std::string extension = fs::path(path).extension().string();
    fail("\"" + extension + "\" files cannot be written or read: " + kHelper +
         ", which draws and reads pictures, is not installed with pixlers-cli");
  }
  Pipe to_helper;
  Pipe from_helper;
  if (!to_helper.Open() || !from_helper.Open()) {
    fail(std::string("the picture cannot be drawn (") + std::strerror(errno) + ")");
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, to_helper.End(0), STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, from_helper.End(1), STDOUT_FILENO);
  arguments.insert(arguments.begin(), helper);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  const int spawned = posix_spawn(&child, helper.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    fail("the picture cannot be drawn: " + helper + " cannot be started (" +
         std::strerror(spawned) + ")");
  }
  to_helper.Close(0);
  from_helper.Close(1);

  // The helper reads all of its input before it writes: no deadlock. A
  // helper that dies early must not take this process with SIGPIPE.
  struct sigaction ignore {};
  struct sigaction previous {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGPIPE, &ignore, &previous);
  for (size_t written = 0; written < input.size();) {
    const ssize_t n = ::write(to_helper.End(1), input.data() + written, input.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    written += static_cast<size_t>(n);
  }
  to_helper.Close(1);
  sigaction(SIGPIPE, &previous, nullptr);

  std::string output;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(from_helper.End(0), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    output.append(buffer, static_cast<size_t>(n));
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  // The helper has named the cause on standard error.
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) fail(kHelper + std::string(" failed"));
  return output;
}

std::string LowerExtension(const std::string& path) {
  std::string extension = fs::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

}  // namespace

bool IsImagePath(const std::string& path) {
  const std::string extension = LowerExtension(path);
  return extension == ".png" || extension == ".jpg" || extension == ".jpeg" ||
         extension == ".bmp" || extension == ".pbm";
}

void ReadImagePuzzle(const std::string& path, TPixlerFileData& data) {
  if (!TPixlerFile::Parse(RunHelper(path, {"image", path}, ""), path, data)) {
    throw TPixlerFileError(path, 0, "the image was not read");
  }
}

std::optional<PictureKind> PictureKindFromPath(const std::string& path) {
  const std::string extension = LowerExtension(path);
  if (extension == ".png") return PictureKind::png;
  if (extension == ".pdf") return PictureKind::pdf;
  return std::nullopt;
}

void WritePicture(const std::string& path, const TPixlerFileData& data,
                  const PictureOptions& options) {
  const std::optional<PictureKind> kind = PictureKindFromPath(path);
  if (!kind) throw TPixlerFileError(path, 0, "is neither a .png nor a .pdf file");
  std::vector<std::string> arguments;
  if (*kind == PictureKind::png) {
    arguments = {"png", std::to_string(options.scale), path};
  } else {
    // The solution's rows travel as one argument, "-" for none.
    std::string solution;
    for (const std::string& row : options.solution) solution += (solution.empty() ? "" : "/") + row;
    arguments = {"pdf", solution.empty() ? "-" : solution, options.title, path};
  }
  WriteFileAtomically(path, RunHelper(path, arguments, TPixlerFile::Format(data)));
}
