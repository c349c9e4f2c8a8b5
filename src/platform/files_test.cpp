#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace calvern::platform {
namespace {

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "calvern-files-XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::string Read(const std::string& name) const {
    return ReadWholeFile(Path(name), 1 << 20).value_or("<unreadable>");
  }
  std::size_t EntryCount() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
  }

  fs::path dir_;
};

// A file is replaced whole or not at all, never through an existing name, and nothing of the
// temporary file stays behind.
TEST_F(FilesTest, ReplacementIsWholeOrNothing) {
  ASSERT_TRUE(WriteFileAtomically(Path("out.LST"), "old"));
  ASSERT_EQ(chmod(Path("out.LST").c_str(), 0640), 0);
  // A link named like a temporary file of earlier programs is never written through.
  std::ofstream(Path("target")) << "keep";
  fs::create_symlink(Path("target"), Path("out.LST.new"));
  ASSERT_TRUE(WriteFileAtomically(Path("out.LST"), "new", Durability::kSyncToDisk));
  EXPECT_EQ(Read("out.LST"), "new");
  EXPECT_EQ(Read("target"), "keep");
  EXPECT_EQ(fs::status(Path("out.LST")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  {
    std::unique_ptr<ReplacementFile> abandoned = ReplacementFile::Create(Path("out.LST"));
    ASSERT_NE(abandoned, nullptr);
  }  // never committed: the old file stays and the temporary one is gone
  EXPECT_EQ(Read("out.LST"), "new");
  EXPECT_EQ(EntryCount(), 3u);  // out.LST, target, out.LST.new
  // A content written a part at a time is the parts in order, followed by Commit's own.
  std::unique_ptr<ReplacementFile> inParts = ReplacementFile::Create(Path("out.LST"));
  ASSERT_NE(inParts, nullptr);
  ASSERT_TRUE(inParts->Append("first "));
  ASSERT_TRUE(inParts->Append(""));
  ASSERT_TRUE(inParts->Append("second "));
  EXPECT_EQ(Read("out.LST"), "new");
  ASSERT_TRUE(inParts->Commit("last"));
  EXPECT_EQ(Read("out.LST"), "first second last");
  EXPECT_FALSE(inParts->Append("late"));  // a committed file takes nothing more
  EXPECT_EQ(EntryCount(), 3u);
}

TEST_F(FilesTest, OutputsNeverReplaceWhatIsNotARegularFile) {
  fs::create_directory(Path("dir"));
  ASSERT_EQ(mkfifo(Path("pipe").c_str(), 0600), 0);
  for (const char* name : {"dir", "pipe", "missing/out.LST", ""}) {
    EXPECT_FALSE(WriteFileAtomically(Path(name), "x")) << name;
  }
  EXPECT_FALSE(WriteFileAtomically(std::string(10000, 'n'), "x"));
  EXPECT_TRUE(fs::is_fifo(Path("pipe")));
  EXPECT_FALSE(ReadWholeFile(Path("pipe"), 100).has_value());  // and no wait for a writer
  EXPECT_FALSE(ReadWholeFile(Path("dir"), 100).has_value());
  std::ofstream(Path("big")) << std::string(101, 'x');
  EXPECT_FALSE(ReadWholeFile(Path("big"), 100).has_value());
  EXPECT_EQ(ReadWholeFile(Path("big"), 101)->size(), 101u);
  // Only regular files have a size to ask for.
  EXPECT_EQ(RegularFileSize(Path("big")), 101u);
  for (const char* name : {"dir", "pipe", "missing"}) EXPECT_FALSE(RegularFileSize(Path(name)));
}

TEST_F(FilesTest, RenameTakesThePlaceOfAnOlderFile) {
  std::ofstream(Path("calvern.inf")) << "new";
  std::ofstream(Path("calvern.inf.bad")) << "old";
  ASSERT_TRUE(RenameFile(Path("calvern.inf"), Path("calvern.inf.bad")));
  EXPECT_EQ(Read("calvern.inf.bad"), "new");
  EXPECT_FALSE(PathExists(Path("calvern.inf")));
  EXPECT_FALSE(RenameFile(Path("calvern.inf"), Path("x")));
}

TEST_F(FilesTest, SameFileSeesLinksAndPlacesOfFilesToCome) {
  std::ofstream(Path("a.txt")) << "a";
  fs::create_symlink(Path("a.txt"), Path("link.txt"));
  EXPECT_TRUE(SameFile(Path("a.txt"), Path("link.txt")));
  EXPECT_TRUE(SameFile(Path("new.MKP"), (dir_ / "." / "new.MKP").string()));
  EXPECT_FALSE(SameFile(Path("a.txt"), Path("new.MKP")));
}

}  // namespace
}  // namespace calvern::platform
