#pragma once

#include "collection/CapCollection.h"

#include <cstdint>
#include <string_view>

namespace dovra::bench {

// The fragment that about one name in a hundred holds, and no other name does, for benchmarks
// of the name filter.
inline constexpr std::string_view rareNameFragment = "Kloster";

// Appends count records (meant for 1,000 to 1,000,000) behind the collection's last record, the
// same records for the same seed on every machine. They look like a real collection: sets of
// 20 to 60 caps numbered 1, 2, ... within the set and sharing a country and mostly a brewery,
// running totalNumbers 1..count, German and foreign brewery names with umlauts, dd.mm.yyyy
// dates, a damage text on about a third (some with a CR LF inside) and a picture path per cap.
// Texts are Windows-1252. The last record appended is current afterwards.
void generateCollection(CapCollection& collection, std::int32_t count, std::uint32_t seed);

} // namespace dovra::bench
