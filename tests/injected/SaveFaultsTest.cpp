// The atomic save when the system refuses its last steps: the program is
// linked with rename and close wrapped (-Wl,--wrap), so a test can make the
// next call fail as a full or vanished disk would, which no real folder does
// on demand. Whatever fails, the old file stays byte for byte, the failure is
// told, and no temporary file is left beside it.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

#include "shared/TextFile.h"

extern "C" {
int __real_rename(const char* from, const char* to);
int __real_close(int fd);

// The errno the next wrapped call fails with; 0 lets it through.
static int failRename = 0;
static int failClose = 0;

int __wrap_rename(const char* from, const char* to) {
    if (failRename != 0) {
        errno = failRename;
        failRename = 0;
        return -1;
    }
    return __real_rename(from, to);
}

int __wrap_close(int fd) {
    if (failClose != 0) {
        // The descriptor is released all the same, as close does on EIO.
        __real_close(fd);
        errno = failClose;
        failClose = 0;
        return -1;
    }
    return __real_close(fd);
}
}

namespace {
namespace fs = std::filesystem;

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Folder {
    fs::path path;
    Folder() {
        std::string pattern = (fs::temp_directory_path() / "tarvisol-savefault-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~Folder() { fs::remove_all(path); }
    std::size_t Entries() const { return static_cast<std::size_t>(std::distance(fs::directory_iterator(path), {})); }
};

TEST(SaveAtomicFaults, ARefusedRenameOrCloseLeavesTheOldFileAndNoTemporary) {
    struct Case {
        int* fault;
        int error;
        const char* what;
    };
    for (const Case c : {Case{&failRename, EXDEV, "rename"}, Case{&failRename, ENOSPC, "rename"},
                         Case{&failClose, EIO, "close"}}) {
        Folder folder;
        const fs::path file = folder.path / "Herd.pig";
        const std::string old = "7.454\r\n1.497\r\n";
        std::ofstream(file, std::ios::binary) << old;
        *c.fault = c.error;
        std::string error;
        EXPECT_FALSE(tarvisol::SaveAtomic(file.string(), "new figures\r\n", error)) << c.what;
        EXPECT_EQ(*c.fault, 0) << c.what << ": the save never reached the call";
        EXPECT_EQ(error.rfind("Cannot save " + file.string(), 0), 0u) << error;
        EXPECT_NE(error.find(std::strerror(c.error)), std::string::npos) << error;
        EXPECT_EQ(Slurp(file), old) << c.what;
        EXPECT_EQ(folder.Entries(), 1u) << c.what << ": a temporary file was left";
        // The next save, with nothing refused, goes through.
        EXPECT_TRUE(tarvisol::SaveAtomic(file.string(), "new figures\r\n", error)) << error;
        EXPECT_EQ(Slurp(file), "new figures\r\n");
        EXPECT_EQ(folder.Entries(), 1u);
    }
}

}  // namespace
