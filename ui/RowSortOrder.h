#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace dovra {

// Called once per pass with the pass's row position, in order from 0 to n-1, so a caller can
// show progress. It runs inside the sort's inner loop: keep it cheap.
using SortProgress = std::function<void(std::size_t pass)>;

// The order the list's column sort leaves the rows in: order[i] is the index (in keys) of the row
// that ends at position i. The column sort is a selection sort that exchanges the topmost best
// remaining row into each position in turn, so rows with equal keys do not keep their order; the
// result is that selection sort's, row for row, computed in O(n log n).
// direction 1: greatest key first; -1: smallest first; 0: no key is better than another, the
// order stays as it is. Any other positive or negative value counts as 1 or -1.
std::vector<std::uint32_t> selectionSortOrder(std::span<const std::int32_t> keys, int direction,
                                              const SortProgress& progress = {});

// Texts are compared byte by byte, each byte unsigned (0-255); a text that begins a longer one
// comes first, so the empty text is the smallest.
std::vector<std::uint32_t> selectionSortOrder(std::span<const std::string_view> keys, int direction,
                                              const SortProgress& progress = {});

} // namespace dovra
