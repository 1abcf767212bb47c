#pragma once

#include <cstdint>
#include <string>

namespace dovra {

// One collected bottle cap. Texts hold Windows-1252 bytes and are compared byte for byte.
struct CapRecord {
    std::int32_t setNumber = 0;
    std::int32_t capNumber = 0;
    std::int32_t totalNumber = 0;
    std::string name;
    std::string country;
    std::string foundDate;
    std::string damage;
    std::string imagePath;

    bool operator==(const CapRecord&) const = default;
};

} // namespace dovra
