#include "AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dovra {

namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A link is followed, so the file it names is replaced and the link stays.
std::string resolved(const std::string& path) {
    char real[PATH_MAX];
    return ::realpath(path.c_str(), real) ? std::string(real) : path;
}

} // namespace

AtomicFile::AtomicFile(std::string path) : path_(resolved(path)) {}

AtomicFile::~AtomicFile() {
    discard();
}

bool AtomicFile::open() {
    if (path_.empty() || path_.back() == '/') {
        return false;
    }
    struct stat existing {};
    const bool exists = ::stat(path_.c_str(), &existing) == 0;
    if (exists && (!S_ISREG(existing.st_mode) || ::access(path_.c_str(), W_OK) != 0)) {
        return false; // a folder or device in its place, or a file that may not be written
    }
    const std::size_t slash = path_.rfind('/');
    const std::string name = slash == std::string::npos ? path_ : path_.substr(slash + 1);
    temporary_ = folderOf(path_) + "/." + name + ".XXXXXX";
    descriptor_ = ::mkostemp(temporary_.data(), O_CLOEXEC);
    if (descriptor_ < 0) {
        temporary_.clear();
        return false;
    }
    // The new file gets the old one's permissions, or those a new file would get.
    mode_t mode = 0666;
    if (exists) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    ::fchmod(descriptor_, mode);
    failed_ = false;
    return true;
}

bool AtomicFile::write(std::string_view bytes) {
    while (!failed_ && !bytes.empty()) {
        const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            failed_ = true;
            break;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return !failed_;
}

bool AtomicFile::commit() {
    if (descriptor_ < 0 || failed_ || ::fsync(descriptor_) != 0) {
        discard();
        return false;
    }
    const int descriptor = descriptor_;
    descriptor_ = -1;
    if (::close(descriptor) != 0 || ::rename(temporary_.c_str(), path_.c_str()) != 0) {
        discard();
        return false;
    }
    temporary_.clear();
    const int folder = ::open(folderOf(path_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

void AtomicFile::discard() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

} // namespace dovra
