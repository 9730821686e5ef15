#include "LzhTestEncoder.h"

#include <algorithm>
#include <unordered_map>

#include "archive/LzhTree.h"

namespace kv::archive::test {

using namespace kv::archive::lzh;

namespace {

class TBitSink {
  public:
    void Put(int n, uint32_t value) {
        for (int i = n - 1; i >= 0; --i) {
            Acc = Acc << 1 | ((value >> i) & 1);
            if (++Count == 8) Out.push_back(static_cast<uint8_t>(Acc)), Acc = 0, Count = 0;
        }
    }
    Bytes Finish() {
        if (Count) Out.push_back(static_cast<uint8_t>(Acc << (8 - Count)));
        return Out;
    }

  private:
    Bytes Out;
    uint32_t Acc = 0;
    int Count = 0;
};

// The path from the root to the leaf of s, as bits, with the node index of each child
// relative to its parent's first child.
void PutSymbol(TBitSink& bits, TLzhTree& tree, int s) {
    std::vector<int> path;
    for (int k = tree.Parent[s + Nodes]; k != Root; k = tree.Parent[k])
        path.push_back(k - tree.Child[tree.Parent[k]]);
    for (auto it = path.rbegin(); it != path.rend(); ++it) bits.Put(1, static_cast<uint32_t>(*it));
    tree.Update(s);
}

void PutPosition(TBitSink& bits, int p) {
    int u = p >> 6;
    uint32_t code = 0;
    int length = PositionCodeLength(0);
    for (int v = 0; v < u; ++v) {
        int next = PositionCodeLength(v + 1);
        code = (code + 1) << (next - length);
        length = next;
    }
    bits.Put(length, code);
    bits.Put(6, static_cast<uint32_t>(p & 63));
}

}  // namespace

TLzhEncoded EncodeLzh(const Bytes& input) {
    // The decoder's history: WindowStart spaces, then the input; a copy may reach 4096 back.
    Bytes hist;
    hist.reserve(WindowStart + input.size());
    hist.assign(WindowStart, ' ');
    hist.insert(hist.end(), input.begin(), input.end());
    std::unordered_map<uint32_t, std::vector<int>> chains;
    auto key = [&](size_t at) {
        return uint32_t{hist[at]} << 16 | hist[at + 1] << 8 | hist[at + 2];
    };
    size_t indexed = 0;
    auto indexUpTo = [&](size_t end) {
        for (; indexed < end && indexed + 2 < hist.size(); ++indexed)
            chains[key(indexed)].push_back(static_cast<int>(indexed));
    };

    TBitSink bits;
    TLzhTree tree;
    TLzhEncoded result;
    for (size_t cur = WindowStart; cur < hist.size();) {
        indexUpTo(cur);
        int bestLen = 0, bestDist = 0;
        size_t most = std::min<size_t>(MaxMatch, hist.size() - cur);
        if (most >= Threshold) {
            auto found = chains.find(key(cur));
            if (found != chains.end()) {
                const auto& positions = found->second;
                for (auto it = positions.rbegin(); it != positions.rend(); ++it) {
                    int dist = static_cast<int>(cur) - *it;
                    if (dist > WindowSize) break;
                    int len = 0;
                    while (static_cast<size_t>(len) < most && hist[*it + len] == hist[cur + len])
                        ++len;
                    if (len > bestLen) bestLen = len, bestDist = dist;
                    if (static_cast<size_t>(len) == most) break;
                }
            }
        }
        ++result.Symbols;
        if (bestLen >= Threshold) {
            PutSymbol(bits, tree, 256 + bestLen - Threshold);
            PutPosition(bits, bestDist - 1);
            cur += static_cast<size_t>(bestLen);
        } else {
            PutSymbol(bits, tree, hist[cur]);
            ++cur;
        }
    }
    result.Coded = bits.Finish();
    return result;
}

}  // namespace kv::archive::test
