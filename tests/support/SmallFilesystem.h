#pragma once
// A small memory filesystem mounted on a scratch folder, so that a save can
// meet a full disk or a read-only folder for real, even for a process with
// every permission. Where it cannot be mounted, Mounted() is false and the
// reason says why (the tests skip then).
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "location/ScratchFolder.h"

namespace tarvisol::testing {

class SmallFilesystem {
public:
    explicit SmallFilesystem(std::size_t bytes) {
        const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
        if (::mount("tmpfs", folder_.Str().c_str(), "tmpfs", 0, options.c_str()) == 0)
            mounted_ = true;
        else
            reason_ = std::string("a small filesystem cannot be mounted here: ") + std::strerror(errno);
    }
    ~SmallFilesystem() {
        if (mounted_) ::umount2(folder_.Str().c_str(), MNT_DETACH);
    }
    SmallFilesystem(const SmallFilesystem&) = delete;
    SmallFilesystem& operator=(const SmallFilesystem&) = delete;

    bool Mounted() const { return mounted_; }
    const std::string& Reason() const { return reason_; }
    std::string Str() const { return folder_.Str(); }
    std::string File(const std::string& name) const { return folder_.File(name); }

    // No file may be written or changed any more (EROFS).
    bool MakeReadOnly() {
        if (::mount(nullptr, folder_.Str().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0) return true;
        reason_ = std::string("the small filesystem cannot be made read-only: ") + std::strerror(errno);
        return false;
    }

    // Fills the filesystem with filler files of one page each until a write
    // fails, then frees `pagesLeft` of them: what is saved later finds only
    // that much room.
    void Fill(int pagesLeft) {
        const std::string page(4096, 'x');
        int n = 0;
        for (;; ++n) {
            const std::string path = File(".filler" + std::to_string(n));
            std::ofstream out(path, std::ios::binary);
            out << page;
            out.flush();
            if (!out) {
                out.close();
                std::filesystem::remove(path);
                break;
            }
        }
        for (int i = 0; i < pagesLeft && n - 1 - i >= 0; ++i) std::filesystem::remove(File(".filler" + std::to_string(n - 1 - i)));
    }

private:
    ScratchFolder folder_;
    bool mounted_ = false;
    std::string reason_;
};

}  // namespace tarvisol::testing
