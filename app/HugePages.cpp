#include "HugePages.h"

#include <cstdlib>
#include <malloc.h>
#include <string>
#include <unistd.h>

namespace dovra {

void restartWithHugePageMalloc(char** argv) {
    // Large blocks (the collection's blocks of records among them) come from the heap, which
    // malloc gives huge pages, instead of a mapping of their own each, which it cannot.
    ::mallopt(M_MMAP_THRESHOLD, 32 << 20);
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    std::string setting = tunables ? tunables : "";
    if (setting.find("glibc.malloc.hugetlb") != std::string::npos) {
        return;
    }
    setting += setting.empty() ? "" : ":";
    setting += "glibc.malloc.hugetlb=1";
    if (::setenv("GLIBC_TUNABLES", setting.c_str(), 1) != 0) {
        return;
    }
    ::execv("/proc/self/exe", argv);
    // Still here: the restart failed; go on as we are, with the setting left for children.
}

} // namespace dovra
