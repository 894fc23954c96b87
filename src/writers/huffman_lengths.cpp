// Huffman lengths by the two-queue method over symbols sorted by frequency,
// then, if the tree is too deep, leaves moved up under the limit while the
// Kraft sum is brought back to exactly one.
#include "writers/huffman_lengths.h"

#include <algorithm>
#include <array>
#include <vector>

namespace zorblit {
namespace {

constexpr unsigned kMaxLimit = 15;

// Depth of every leaf of the Huffman tree over weights in ascending order,
// counted per depth (depthCounts[d] leaves at depth d, d up to count - 1).
std::vector<uint32_t> leafDepthCounts(const std::vector<uint64_t> &sortedWeights) {
    const size_t leaves = sortedWeights.size();
    std::vector<uint64_t> weight(2 * leaves - 1);
    std::vector<uint32_t> parent(2 * leaves - 1, 0);
    std::copy(sortedWeights.begin(), sortedWeights.end(), weight.begin());
    size_t nextLeaf = 0, nextNode = leaves;
    // Internal nodes are made in ascending weight order, so a second queue of them
    // needs no sorting; each takes the two lightest of both queue fronts.
    const auto takeLightest = [&](size_t made) {
        const bool leaf = nextLeaf < leaves && (nextNode >= made || weight[nextLeaf] <= weight[nextNode]);
        return leaf ? nextLeaf++ : nextNode++;
    };
    for (size_t made = leaves; made < 2 * leaves - 1; ++made) {
        const size_t a = takeLightest(made), b = takeLightest(made);
        weight[made] = weight[a] + weight[b];
        parent[a] = parent[b] = uint32_t(made);
    }
    std::vector<uint32_t> depth(2 * leaves - 1, 0), counts(leaves + 1, 0);
    for (size_t node = 2 * leaves - 1; node-- > 0;) {
        if (node != 2 * leaves - 2) depth[node] = depth[parent[node]] + 1;
        if (node < leaves) ++counts[depth[node]];
    }
    return counts;
}

// Folds depths beyond limit into limit. Each step then takes a leaf at the
// deepest level d above the limit and makes it and one leaf from the limit
// children of its old place (both at d + 1): the Kraft sum, counted in units of
// 2^-limit, drops by exactly one, until the code is complete again.
std::array<uint32_t, kMaxLimit + 1> limitDepths(const std::vector<uint32_t> &counts, unsigned limit) {
    std::array<uint32_t, kMaxLimit + 1> limited{};
    uint64_t kraft = 0;
    for (size_t d = 1; d < counts.size(); ++d) {
        const unsigned to = unsigned(std::min<size_t>(d, limit));
        limited[to] += counts[d];
        kraft += uint64_t(counts[d]) << (limit - to);
    }
    for (; kraft > (uint64_t(1) << limit); --kraft) {
        unsigned d = limit - 1;
        while (limited[d] == 0) --d;
        --limited[d];
        limited[d + 1] += 2;
        --limited[limit];
    }
    return limited;
}

}  // namespace

void buildCodeLengths(const uint32_t *freqs, size_t count, unsigned limit, uint8_t *lengths) {
    std::vector<uint32_t> used;
    for (size_t i = 0; i < count; ++i) {
        lengths[i] = 0;
        if (freqs[i]) used.push_back(uint32_t(i));
    }
    if (used.empty()) return;
    if (used.size() == 1) {
        lengths[used[0]] = 1;
        lengths[used[0] == 0 ? 1 : 0] = 1;
        return;
    }
    std::stable_sort(used.begin(), used.end(), [&](uint32_t a, uint32_t b) { return freqs[a] < freqs[b]; });
    std::vector<uint64_t> weights(used.size());
    for (size_t i = 0; i < used.size(); ++i) weights[i] = freqs[used[i]];
    const auto perDepth = limitDepths(leafDepthCounts(weights), limit);
    // The rarest symbols take the longest codes.
    size_t next = 0;
    for (unsigned d = limit; d >= 1; --d)
        for (uint32_t k = 0; k < perDepth[d]; ++k) lengths[used[next++]] = uint8_t(d);
}

void canonicalCodes(const uint8_t *lengths, size_t count, uint16_t *codes) {
    std::array<uint16_t, kMaxLimit + 2> perLength{}, next{};
    for (size_t i = 0; i < count; ++i) ++perLength[lengths[i]];
    perLength[0] = 0;
    uint16_t code = 0;
    for (unsigned bits = 1; bits <= kMaxLimit; ++bits) {
        code = uint16_t((code + perLength[bits - 1]) << 1);
        next[bits] = code;
    }
    for (size_t i = 0; i < count; ++i) {
        const unsigned bits = lengths[i];
        if (!bits) continue;
        const uint16_t value = next[bits]++;
        uint16_t reversed = 0;
        for (unsigned b = 0; b < bits; ++b) reversed = uint16_t(reversed | ((value >> b) & 1) << (bits - 1 - b));
        codes[i] = reversed;
    }
}

}  // namespace zorblit
