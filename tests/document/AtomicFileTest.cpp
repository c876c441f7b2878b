#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <tuple>

#include "TestDocument.h"
#include "document/AtomicFile.h"
#include "document/PixlerFile.h"

namespace {

namespace fs = std::filesystem;

// Every entry under the folder with what it is: a link's text, a file's
// contents, or the kind of anything else.
std::map<std::string, std::string> Snapshot(const TTempFolder& folder) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(folder.path)) {
    const std::string name = entry.path().lexically_relative(folder.path).string();
    if (entry.is_symlink()) {
      entries[name] = "link to " + fs::read_symlink(entry.path()).string();
    } else if (entry.is_regular_file()) {
      entries[name] = "file " + ReadFile(entry.path());
    } else {
      entries[name] = entry.is_directory() ? "folder" : "special";
    }
  }
  return entries;
}

std::string SaveMessage(const std::string& path, const std::string& contents) {
  try {
    WriteFileAtomically(path, contents);
  } catch (const TPixlerFileError& error) {
    return error.what();
  }
  return "saved";
}

// Makes the entries a script such as "file real, link name real" names:
// files holding "old" that only their owner may write, folders, FIFOs, devices (a FIFO where only
// root may make one) and symbolic links, whose target starting with "/" is taken from the folder's
// own path.
void Prepare(const TTempFolder& folder, std::string script) {
  std::ranges::replace(script, ',', ' ');
  std::istringstream words(script);
  for (std::string kind, name, to; words >> kind >> name;) {
    const std::string path = folder.Path(name);
    if (kind == "file") fs::permissions(folder.Write(name, "old"), fs::perms(0640));
    if (kind == "dir") fs::create_directory(path);
    if (kind == "fifo") ::mkfifo(path.c_str(), 0600);
    if (kind == "device" && ::mknod(path.c_str(), S_IFCHR | 0600, makedev(1, 3)) != 0)
      ::mkfifo(path.c_str(), 0600);
    if (kind == "link" && words >> to)
      fs::create_symlink(to[0] == '/' ? folder.path + to : to, path);
  }
}

TEST(AtomicFileTest, SavesThroughLinksAndRefusesWhatIsNoRegularFile) {
  // What is there, the name saved to, the file that receives the text or a
  // part of the refusal.
  using TCase = std::tuple<const char*, const char*, const char*, std::string, std::string>;
  const TCase cases[] = {
      {"a new file", "", "new.pixler", "new.pixler", ""},
      {"an old file", "file old.pixler", "old.pixler", "old.pixler", ""},
      {"a link to a file", "file real, link link real", "link", "real", ""},
      {"a dangling link", "dir sub, link link sub/made.pixler", "link", "sub/made.pixler", ""},
      {"a chain of links", "file real, link second real, link first /second", "first", "real", ""},
      {"a FIFO", "fifo pipe", "pipe", "",
       "this is a FIFO (named pipe), not a regular file; nothing was saved"},
      {"a link to a FIFO", "fifo pipe, link link pipe", "link", "",
       "pipe, a FIFO (named pipe), not a regular file"},
      {"a folder", "dir dir", "dir", "", "this is a folder, not a regular file"},
      {"a device", "device null", "null", "", "not a regular file"},
      {"a loop of links", "link a b, link b a", "b", "", "the symbolic links form a loop"},
      {"a missing folder", "", "no/such/p.pixler", "", "/no/such does not exist"},
  };
  for (const auto& [what, script, name, written, refusal] : cases) {
    TTempFolder folder;
    Prepare(folder, script);
    const std::string path = folder.Path(name);
    auto expected = Snapshot(folder);
    if (!written.empty()) expected[written] = "file new text";
    const std::string message = SaveMessage(path, "new text");
    if (refusal.empty()) {
      EXPECT_EQ(message, "saved") << what;
    } else {
      EXPECT_EQ(message.rfind(path + ": ", 0), 0u) << what << ": " << message;
      EXPECT_NE(message.find(refusal), std::string::npos) << what << ": " << message;
    }
    EXPECT_EQ(Snapshot(folder), expected) << what;
    // A replaced file keeps its permissions.
    if (std::string_view(script).starts_with("file")) {
      EXPECT_EQ(fs::status(folder.Path(written)).permissions(), fs::perms(0640)) << what;
    }
  }
}

TEST(AtomicFileTest, AFailedSaveNamesItsCause) {
  // The kernel's own folders take no new files, not even from root.
  EXPECT_EQ(SaveMessage("/proc/test.pixler", "x")
                .rfind("/proc/test.pixler: the folder cannot take new files (", 0),
            0u);
  // Root writes into read-only folders.
  if (::geteuid() == 0) return;
  TTempFolder folder;
  ::chmod(folder.path.c_str(), 0500);
  EXPECT_EQ(SaveMessage(folder.Path("p"), "x"),
            folder.Path("p") + ": the folder cannot take new files (Permission denied)");
  ::chmod(folder.path.c_str(), 0700);
}

}  // namespace
