#include "RowSortOrder.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <numeric>
#include <stdexcept>

namespace dovra {
namespace {

constexpr std::uint64_t placed = std::numeric_limits<std::uint64_t>::max();

std::vector<std::uint32_t> identity(std::size_t n) {
    std::vector<std::uint32_t> order(n);
    std::iota(order.begin(), order.end(), 0u);
    return order;
}

void checkSize(std::size_t n) {
    // Positions are 32-bit and the all-ones position marks a placed leaf.
    if (n >= std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("selectionSortOrder: too many rows");
    }
}

// Replays the selection sort on keys turned into 32-bit values where smaller is better. A
// tournament tree over the row positions holds in each node the best leaf below it as
// (value << 32 | position), so the plain minimum of two nodes prefers the better value and, among
// equal values, the upper position - exactly the row the quadratic scan would have picked. Each
// pass reads the winner at the root, exchanges, and replays the two leaves that changed.
std::vector<std::uint32_t> replay(std::vector<std::uint32_t> values, const SortProgress& progress) {
    const std::size_t n = values.size();
    std::vector<std::uint32_t> order = identity(n);
    if (n == 0) {
        return order;
    }
    const std::size_t leaves = std::bit_ceil(n);
    std::vector<std::uint64_t> tree(2 * leaves, placed);
    for (std::size_t i = 0; i < n; ++i) {
        tree[leaves + i] = std::uint64_t{values[i]} << 32 | i;
    }
    for (std::size_t node = leaves - 1; node > 0; --node) {
        tree[node] = std::min(tree[2 * node], tree[2 * node + 1]);
    }
    const auto set = [&tree, leaves](std::size_t position, std::uint64_t leaf) {
        std::size_t node = leaves + position;
        tree[node] = leaf;
        for (node /= 2; node > 0; node /= 2) {
            tree[node] = std::min(tree[2 * node], tree[2 * node + 1]);
        }
    };

    for (std::size_t p = 0; p < n; ++p) {
        const auto m = static_cast<std::uint32_t>(tree[1]);
        if (m != p) {
            std::swap(order[p], order[m]);
            // The row from p moves down to m; p itself is settled and leaves the tournament.
            set(m, (tree[leaves + p] & ~std::uint64_t{0xFFFFFFFF}) | m);
        }
        set(p, placed);
        if (progress) {
            progress(p);
        }
    }
    return order;
}

// One text seen through a window of eight bytes starting at some depth: the bytes as a big-endian
// number (zero past the end) and how many bytes the text has from the depth on, 9 standing for
// "more than the window". Ordering by both orders the texts as far as the window reaches: a text
// that ends inside it is a beginning of the others with the same window, so it comes first.
struct Window {
    std::uint64_t bytes;
    std::uint32_t rest;
    std::uint32_t row;

    bool operator<(const Window& other) const {
        return bytes != other.bytes ? bytes < other.bytes : rest < other.rest;
    }
};

// Ranks 0, 1, 2, ... in byte order, equal texts sharing one. Sorting the windows rather than the
// texts keeps the comparisons on contiguous numbers; only texts that tie over a whole window are
// sorted again, by their next eight bytes.
std::vector<std::uint32_t> textRanks(std::span<const std::string_view> keys) {
    std::vector<Window> windows(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        windows[i].row = static_cast<std::uint32_t>(i);
    }
    struct Range {
        std::size_t begin, end, depth;
    };
    std::vector<Range> pending = {{0, windows.size(), 0}};
    while (!pending.empty()) {
        const Range range = pending.back();
        pending.pop_back();
        for (std::size_t i = range.begin; i < range.end; ++i) {
            const std::string_view text = keys[windows[i].row];
            std::uint64_t bytes = 0;
            for (std::size_t at = range.depth; at < range.depth + 8; ++at) {
                bytes = bytes << 8 | (at < text.size() ? static_cast<unsigned char>(text[at]) : 0u);
            }
            windows[i].bytes = bytes;
            windows[i].rest =
                static_cast<std::uint32_t>(std::min<std::size_t>(text.size() - range.depth, 9));
        }
        std::sort(windows.begin() + range.begin, windows.begin() + range.end);
        for (std::size_t first = range.begin, last; first < range.end; first = last) {
            last = first + 1;
            while (last < range.end && !(windows[first] < windows[last])) {
                ++last;
            }
            if (windows[first].rest == 9 && last - first > 1) {
                pending.push_back({first, last, range.depth + 8});
            }
        }
    }
    std::vector<std::uint32_t> ranks(keys.size());
    std::uint32_t rank = 0;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        if (i > 0 && keys[windows[i - 1].row] != keys[windows[i].row]) {
            ++rank;
        }
        ranks[windows[i].row] = rank;
    }
    return ranks;
}

} // namespace

std::vector<std::uint32_t> selectionSortOrder(std::span<const std::int32_t> keys, int direction,
                                              const SortProgress& progress) {
    checkSize(keys.size());
    if (direction == 0) {
        return identity(keys.size());
    }
    // Flipping the sign bit keeps the signed order in unsigned values; the complement reverses it.
    const std::uint32_t flip = direction < 0 ? 0x80000000u : 0x7FFFFFFFu;
    std::vector<std::uint32_t> values(keys.size());
    std::transform(keys.begin(), keys.end(), values.begin(),
                   [flip](std::int32_t key) { return static_cast<std::uint32_t>(key) ^ flip; });
    return replay(std::move(values), progress);
}

std::vector<std::uint32_t> selectionSortOrder(std::span<const std::string_view> keys, int direction,
                                              const SortProgress& progress) {
    checkSize(keys.size());
    if (direction == 0) {
        return identity(keys.size());
    }
    std::vector<std::uint32_t> values = textRanks(keys);
    if (direction > 0) {
        for (std::uint32_t& value : values) {
            value = ~value;
        }
    }
    return replay(std::move(values), progress);
}

} // namespace dovra
