#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <functional>
#include <map>

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

TEST(AtomicFileTest, SavesThroughLinksAndRefusesWhatIsNoRegularFile) {
  struct TCase {
    const char* what;
    // Prepares the folder and returns the name to save to.
    std::function<std::string(const TTempFolder&)> prepare;
    // The file that receives the text, or a part of the refusal.
    std::string written;
    std::string refusal;
  };
  auto link = [](const TTempFolder& folder, const std::string& to, const std::string& name) {
    fs::create_symlink(to, folder.Path(name));
    return folder.Path(name);
  };
  const TCase cases[] = {
      {"a new file", [](auto& f) { return f.Path("new.pixler"); }, "new.pixler", ""},
      {"an old file", [](auto& f) { return f.Write("old.pixler", "old"); }, "old.pixler", ""},
      {"a link to a file",
       [&](auto& f) {
         f.Write("real", "old");
         return link(f, "real", "link");
       },
       "real", ""},
      {"a dangling link",
       [&](auto& f) {
         fs::create_directory(f.Path("sub"));
         return link(f, "sub/made.pixler", "link");
       },
       "sub/made.pixler", ""},
      {"a chain of links",
       [&](auto& f) {
         f.Write("real", "old");
         link(f, "real", "second");
         return link(f, f.Path("second"), "first");
       },
       "real", ""},
      {"a FIFO",
       [](auto& f) {
         ::mkfifo(f.Path("pipe").c_str(), 0600);
         return f.Path("pipe");
       },
       "", "this is a FIFO (named pipe), not a regular file; nothing was saved"},
      {"a link to a FIFO",
       [&](auto& f) {
         ::mkfifo(f.Path("pipe").c_str(), 0600);
         return link(f, "pipe", "link");
       },
       "", "pipe, a FIFO (named pipe), not a regular file"},
      {"a folder",
       [](auto& f) {
         fs::create_directory(f.Path("dir"));
         return f.Path("dir");
       },
       "", "this is a folder, not a regular file"},
      {"a device",
       [](auto& f) {
         // Only root may make one; elsewhere the FIFO stands for it.
         if (::mknod(f.Path("null").c_str(), S_IFCHR | 0600, makedev(1, 3)) != 0)
           ::mkfifo(f.Path("null").c_str(), 0600);
         return f.Path("null");
       },
       "", "not a regular file"},
      {"a loop of links",
       [&](auto& f) {
         link(f, "b", "a");
         return link(f, "a", "b");
       },
       "", "the symbolic links form a loop"},
      {"a missing folder", [](auto& f) { return f.Path("no/such/p.pixler"); }, "",
       "/no/such does not exist"},
  };
  for (const TCase& c : cases) {
    TTempFolder folder;
    const std::string path = c.prepare(folder);
    auto expected = Snapshot(folder);
    if (!c.written.empty()) expected[c.written] = "file new text";
    const std::string message = SaveMessage(path, "new text");
    if (c.refusal.empty()) {
      EXPECT_EQ(message, "saved") << c.what;
    } else {
      EXPECT_EQ(message.rfind(path + ": ", 0), 0u) << c.what << ": " << message;
      EXPECT_NE(message.find(c.refusal), std::string::npos) << c.what << ": " << message;
    }
    EXPECT_EQ(Snapshot(folder), expected) << c.what;
  }
}

TEST(AtomicFileTest, AReplacedFileKeepsItsPermissions) {
  TTempFolder folder;
  const std::string path = folder.Write("p.pixler", "old");
  ::chmod(path.c_str(), 0640);
  WriteFileAtomically(path, "new");
  struct stat state {};
  ASSERT_EQ(::stat(path.c_str(), &state), 0);
  EXPECT_EQ(state.st_mode & 07777, 0640u);
  EXPECT_EQ(ReadFile(path), "new");
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
