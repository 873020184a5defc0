#include "shared/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace tarvisol {

std::string_view WithoutByteOrderMark(std::string_view text) {
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (text.substr(0, bom.size()) == bom) text.remove_prefix(bom.size());
    return text;
}

std::vector<std::string> SplitLines(std::string_view text) {
    text = WithoutByteOrderMark(text);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == '\r') {
                // CR LF, and CR CR LF as a spreadsheet may write it, end one line.
                std::size_t j = i + 1;
                while (j < text.size() && text[j] == '\r') ++j;
                if (j < text.size() && text[j] == '\n') i = j;
            }
            start = i + 1;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

bool ReadTextFile(const std::string& path, std::string& content, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "Cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad()) {
        error = "Cannot read " + path;
        return false;
    }
    content = ss.str();
    return true;
}

bool ReadLines(const std::string& path, std::vector<std::string>& lines, std::string& error) {
    std::string content;
    if (!ReadTextFile(path, content, error)) return false;
    lines = SplitLines(content);
    return true;
}

std::string JoinCrlf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

std::vector<std::string> SplitTabs(std::string_view line) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        auto p = line.find('\t', start);
        if (p == std::string_view::npos) {
            out.emplace_back(line.substr(start));
            return out;
        }
        out.emplace_back(line.substr(start, p - start));
        start = p + 1;
    }
}

std::string SaveTarget(const std::string& path) {
    std::string target = path;
    // Follow a chain of links (a few at most, so a loop cannot hang the save).
    for (int hops = 0; hops < 16; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096), '\0');
        const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n <= 0) break;
        link.resize(static_cast<std::size_t>(n));
        if (link.front() != '/') {
            const auto slash = target.find_last_of('/');
            if (slash != std::string::npos) link = target.substr(0, slash + 1) + link;
        }
        target = link;
    }
    return target;
}

std::string SaveTemporaryName(const std::string& target) {
    const auto slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    return folder + "." + name + ".tarvisol-save";
}

bool SaveAtomic(const std::string& path, std::string_view content, std::string& error) {
    PreparedSave save;
    return PrepareSave(path, content, save, error) && CommitSave(save, error);
}

void DiscardSave(const PreparedSave& save) {
    if (!save.temporary.empty()) ::unlink(save.temporary.c_str());
}

bool PrepareSave(const std::string& path, std::string_view content, PreparedSave& out, std::string& error) {
    const std::string target = SaveTarget(path);
    const std::string tmp = SaveTemporaryName(target);
    out = {path, target, tmp};
    // The mode and owner the file has now are kept; a new file gets the
    // usual mode for files (0666 less the umask).
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    if (existed && !S_ISREG(old.st_mode)) {
        error = "Cannot save " + path + ": it is not a plain file";
        return false;
    }
    // A temporary of this very name can only be left over from an
    // interrupted save of this file.
    ::unlink(tmp.c_str());
    const mode_t mode = existed ? (old.st_mode & 07777) : 0666;
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) {
        error = "Cannot save " + path + ": " + std::strerror(errno);
        return false;
    }
    auto fail = [&](const char* what) {
        error = std::string("Cannot save ") + path + " (" + what + "): " + std::strerror(errno);
        ::close(fd);
        ::unlink(tmp.c_str());
        return false;
    };
    const char* p = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail("write");
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (existed) {
        // The owner can be kept only with the right to give files away; the
        // mode is kept in any case (after fchown, which may clear set-id bits).
        if (::fchown(fd, old.st_uid, old.st_gid) != 0 && errno != EPERM) return fail("owner");
        if (::fchmod(fd, mode) != 0) return fail("permissions");
    }
    if (::fsync(fd) != 0) return fail("flush");
    if (::close(fd) != 0) {
        error = "Cannot save " + path + ": " + std::strerror(errno);
        ::unlink(tmp.c_str());
        return false;
    }
    return true;
}

bool CommitSave(const PreparedSave& save, std::string& error) {
    const std::string& target = save.target;
    if (::rename(save.temporary.c_str(), target.c_str()) != 0) {
        error = "Cannot save " + save.path + ": " + std::strerror(errno);
        ::unlink(save.temporary.c_str());
        return false;
    }
    // The rename itself is made durable with the folder.
    const auto slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));
    const int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

}  // namespace tarvisol
