#include "document/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "document/PixlerFile.h"
#include "document/RegularFile.h"

namespace {

namespace fs = std::filesystem;

// As many links as the kernel follows before it reports a loop.
constexpr int kMaxLinks = 40;

std::string Cause() {
  return std::string(" (") + std::strerror(errno) + ")";
}

class AtomicWriter {
 public:
  explicit AtomicWriter(const std::string& path) : path_(path) {}

  void Write(const std::string& contents) {
    const fs::path target = FinalTarget();
    struct stat old_state {};
    const bool replacing = ::stat(target.c_str(), &old_state) == 0;
    if (replacing && !S_ISREG(old_state.st_mode)) {
      Fail(Naming(target) + SpecialFileKind(old_state.st_mode) +
           ", not a regular file; nothing was saved");
    }

    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    CreateBeside(target, folder);
    try {
      // Keep what the old file granted; ownership can only be kept by root,
      // and anyone else's save makes the file theirs, as any editor does.
      if (replacing) {
        ::fchmod(fd_, old_state.st_mode & 07777);
        if (::fchown(fd_, old_state.st_uid, old_state.st_gid) != 0) errno = 0;
      }
      WriteAll(contents);
      if (::fsync(fd_) != 0) Fail("the file cannot be written" + Cause());
      const int closed = ::close(fd_);
      fd_ = -1;
      if (closed != 0) Fail("the file cannot be written" + Cause());
      if (::rename(temp_.c_str(), target.c_str()) != 0) {
        Fail("the file cannot be replaced" + Cause());
      }
    } catch (...) {
      if (fd_ >= 0) ::close(fd_);
      ::unlink(temp_.c_str());
      throw;
    }
    // The rename itself lasts only once the folder is on disk.
    const int folder_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder_fd >= 0) {
      ::fsync(folder_fd);
      ::close(folder_fd);
    }
  }

 private:
  [[noreturn]] void Fail(const std::string& reason) const {
    throw TPixlerFileError(path_, 0, reason);
  }

  // "this is " or, when a link led elsewhere, "this names TARGET, ".
  std::string Naming(const fs::path& target) const {
    return target == fs::path(path_) ? "this is " : "this names " + target.string() + ", ";
  }

  // Follows the chain of links from the given name to the file that is to be
  // written, which need not exist yet.
  fs::path FinalTarget() const {
    fs::path current = path_;
    for (int links = 0;; ++links) {
      struct stat state {};
      if (::lstat(current.c_str(), &state) != 0) {
        if (errno == ENOENT) return current;
        Fail("the file cannot be examined" + Cause());
      }
      if (!S_ISLNK(state.st_mode)) return current;
      if (links == kMaxLinks) Fail("the symbolic links form a loop; nothing was saved");
      std::error_code error;
      const fs::path next = fs::read_symlink(current, error);
      if (error) Fail("the symbolic link cannot be read (" + error.message() + ")");
      current = next.is_absolute() ? next : current.parent_path() / next;
    }
  }

  // O_EXCL with a fresh name never follows or clobbers someone else's file.
  void CreateBeside(const fs::path& target, const fs::path& folder) {
    // Hidden, and short enough whatever the target's name. Built piece by
    // piece: GCC 12 at -O3 warns (-Wrestrict) inside std::string on the
    // concatenated temporaries.
    std::string stem = ".";
    stem += target.filename().string().substr(0, 200);
    stem += ".saving-";
    stem += std::to_string(::getpid());
    stem += '-';
    for (int attempt = 0; fd_ < 0; ++attempt) {
      std::string name = stem;
      name += std::to_string(attempt);
      temp_ = (folder / name).string();
      fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ >= 0 || (errno == EEXIST && attempt < 100)) continue;
      const std::string cause = Cause();
      struct stat state {};
      if (::stat(folder.c_str(), &state) != 0) {
        if (errno == ENOENT) Fail("the folder " + folder.string() + " does not exist");
        Fail("the folder " + folder.string() + " cannot be reached" + Cause());
      }
      if (!S_ISDIR(state.st_mode)) Fail(folder.string() + " is not a folder");
      Fail("the folder cannot take new files" + cause);
    }
  }

  void WriteAll(const std::string& contents) {
    size_t written = 0;
    while (written < contents.size()) {
      const ssize_t n = ::write(fd_, contents.data() + written, contents.size() - written);
      if (n < 0) {
        if (errno == EINTR) continue;
        Fail("the file cannot be written" + Cause());
      }
      written += static_cast<size_t>(n);
    }
  }

  const std::string& path_;
  std::string temp_;
  int fd_ = -1;
};

}  // namespace

void WriteFileAtomically(const std::string& path, const std::string& contents) {
  AtomicWriter(path).Write(contents);
}
