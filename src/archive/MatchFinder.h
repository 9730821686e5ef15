#pragma once
// The LH5 encoder's dictionary: a PATRICIA trie over the text following each of the last 8191
// positions, which finds the longest match at a position without scanning the window.
#include <cstdint>
#include <vector>

#include "archive/Lh5Format.h"

namespace kv::archive::lh5 {

class TMatchFinder {
  public:
    // `text` is the encoder's text buffer; positions handed in lie in [DicSize, 2 * DicSize).
    explicit TMatchFinder(const uint8_t* text);

    // Finds the longest match (up to MaxMatch) of the text at pos among the dictionary, the most
    // recent of equals, into MatchLen and MatchPos, and adds pos. Starts from the previous match,
    // one shorter, when that was 4 or more.
    void Insert(int pos);
    // Removes the entry that pos replaces (the one DicSize positions back), if present.
    void Delete(int pos);

    int MatchLen = 0;
    int MatchPos = 0;  // text position; meaningful when MatchLen >= Threshold

  private:
    using Node = uint16_t;
    static constexpr Node Nil = 0;
    // Node numbers: 1 .. DicSize-1 internal nodes, DicSize + byte the roots, positions the leaves.
    static Node RootOf(uint8_t c) { return static_cast<Node>(DicSize + c); }
    static int Hash(Node q, uint8_t c) { return q + (c << 4) + 2 * DicSize; }

    Node ChildOf(Node q, uint8_t c);
    void MakeChild(Node q, uint8_t c, Node r);
    void Split(Node old, int pos);
    void ReplaceInChain(Node old, Node with);
    int TextPosition(int stored, int pos) const {
        return stored >= pos ? stored - DicSize : stored;
    }

    const uint8_t* Text;
    Node FreeList = 1;
    std::vector<uint8_t> Level;  // depth of the prefix a node stands for (roots: 1)
    std::vector<uint16_t> ChildCount;
    std::vector<Node> Position;  // newest position below a node
    std::vector<Node> Parent;
    std::vector<Node> Prev;
    std::vector<Node> Next;  // chain links and free list, then the chain heads
};

}  // namespace kv::archive::lh5
