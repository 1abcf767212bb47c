#include "app/AtomicFile.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>

namespace dovra {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/atomic-file-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder = pattern;
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string path(const std::string& name) const { return (folder / name).string(); }
    static void put(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string get(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder)) {
            found.push_back(entry.path().filename().string());
        }
        std::sort(found.begin(), found.end());
        return found;
    }

    fs::path folder;
};

TEST_F(AtomicFileTest, ReplacesTheWholeFileOnlyOnCommit) {
    put(path("f"), "old contents that are longer");
    AtomicFile file(path("f"));
    ASSERT_TRUE(file.open());
    ASSERT_TRUE(file.write("new"));
    EXPECT_EQ(get(path("f")), "old contents that are longer") << "nothing changes before commit";
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(get(path("f")), "new");
    EXPECT_EQ(names(), std::vector<std::string>{"f"});
}

TEST_F(AtomicFileTest, WithoutCommitNothingChangesAndNothingIsLeft) {
    put(path("f"), "old");
    {
        AtomicFile file(path("f"));
        ASSERT_TRUE(file.open());
        file.write("new");
    }
    EXPECT_EQ(get(path("f")), "old");
    EXPECT_EQ(names(), std::vector<std::string>{"f"});
}

TEST_F(AtomicFileTest, AShortWriteFailsTheCommit) {
    put(path("f"), "old");
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1000; // the first write gets 1000 bytes through, the next none
    setrlimit(RLIMIT_FSIZE, &small);
    AtomicFile file(path("f"));
    const bool opened = file.open();
    const bool written = file.write(std::string(5000, 'x'));
    const bool committed = file.commit();
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_TRUE(opened);
    EXPECT_FALSE(written);
    EXPECT_FALSE(committed);
    EXPECT_EQ(get(path("f")), "old");
    EXPECT_EQ(names(), std::vector<std::string>{"f"});
}

TEST_F(AtomicFileTest, PlacesThatCannotBeWritten) {
    put(path("file"), "x");
    fs::create_directory(path("folder"));
    for (const std::string& target :
         {path("folder"), path("file/below"), path("missing/f"), path("folder/"), std::string()}) {
        AtomicFile file(target);
        EXPECT_FALSE(file.open()) << target;
    }
    EXPECT_EQ(names(), (std::vector<std::string>{"file", "folder"}));
}

TEST_F(AtomicFileTest, KeepsPermissionsAndFollowsLinks) {
    put(path("f"), "old");
    ::chmod(path("f").c_str(), 0640);
    fs::create_symlink(path("f"), path("link"));
    AtomicFile file(path("link"));
    ASSERT_TRUE(file.open());
    file.write("new");
    ASSERT_TRUE(file.commit());
    EXPECT_TRUE(fs::is_symlink(path("link")));
    EXPECT_EQ(get(path("f")), "new");
    struct stat info {};
    ::stat(path("f").c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(AtomicFileTest, CreatesAMissingFile) {
    AtomicFile file(path("new"));
    ASSERT_TRUE(file.open());
    ASSERT_TRUE(file.commit());
    EXPECT_TRUE(fs::exists(path("new")));
    EXPECT_EQ(get(path("new")), "");
}

} // namespace
} // namespace dovra
