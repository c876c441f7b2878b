#include "document/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "document/PixlerFile.h"

namespace {

// A 100 by 100 puzzle takes some tens of kilobytes in any of the formats.
constexpr size_t kLargestFile = 16 << 20;

// Closes the descriptor however the read ends.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

const char* SpecialFileKind(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISFIFO(mode)) return "a FIFO (named pipe)";
  if (S_ISSOCK(mode)) return "a socket";
  return "a special file";
}

std::string ReadRegularFile(const std::string& file_name) {
  // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
  const Descriptor file(::open(file_name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.Get() < 0) {
    throw TPixlerFileError(file_name, 0,
                           std::string("the file cannot be opened: ") + std::strerror(errno));
  }
  struct stat state {};
  if (::fstat(file.Get(), &state) != 0) {
    throw TPixlerFileError(file_name, 0,
                           std::string("the file cannot be examined: ") + std::strerror(errno));
  }
  if (!S_ISREG(state.st_mode)) {
    throw TPixlerFileError(
        file_name, 0,
        std::string("this is ") + SpecialFileKind(state.st_mode) + ", not a regular file");
  }
  if (static_cast<unsigned long long>(state.st_size) > kLargestFile) {
    throw TPixlerFileError(file_name, 0, "the file is far too large for a puzzle");
  }
  // The size is only a hint: the file may grow or shrink while it is read.
  std::string text;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(file.Get(), buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      throw TPixlerFileError(file_name, 0,
                             std::string("the file cannot be read: ") + std::strerror(errno));
    }
    text.append(buffer, static_cast<size_t>(n));
    if (text.size() > kLargestFile) {
      throw TPixlerFileError(file_name, 0, "the file is far too large for a puzzle");
    }
  }
  return text;
}
