#pragma once

#include <string>
#include <string_view>

namespace dovra {

// Replaces a file as a whole or not at all: the new contents go into a temporary file beside
// it, every write is checked (a full disk often shows only as a short write), the data is
// flushed to disk, and one rename puts it in place. Until commit() succeeds the old file stays
// as it was, whatever happens to the program or the disk meanwhile.
class AtomicFile {
public:
    explicit AtomicFile(std::string path); // the file system's bytes of the path
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False when the file cannot be written: no such folder, a folder in its place, no rights.
    bool open();
    bool write(std::string_view bytes);
    bool commit();

private:
    void discard();

    std::string path_;
    std::string temporary_;
    int descriptor_ = -1;
    bool failed_ = false;
};

} // namespace dovra
