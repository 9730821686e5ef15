#include "archive/MatchFinder.h"

namespace kv::archive::lh5 {

namespace {
constexpr int NodeCount = DicSize + 256;                                 // internal nodes and roots
constexpr int HashEnd = 2 * DicSize + (DicSize + 255) + (255 << 4) + 1;  // 28912
}  // namespace

TMatchFinder::TMatchFinder(const uint8_t* text)
    : Text(text),
      Level(NodeCount, 1),
      ChildCount(NodeCount, 0),
      Position(NodeCount, Nil),
      Parent(2 * DicSize, Nil),
      Prev(2 * DicSize, Nil),
      Next(HashEnd, Nil) {
    for (int i = 1; i < DicSize - 1; ++i) Next[i] = static_cast<Node>(i + 1);
    Next[DicSize - 1] = Nil;
}

TMatchFinder::Node TMatchFinder::ChildOf(Node q, uint8_t c) {
    Node r = Next[Hash(q, c)];
    Parent[Nil] = q;  // sentinel: the chain ends at Nil
    while (Parent[r] != q) r = Next[r];
    return r;
}

void TMatchFinder::MakeChild(Node q, uint8_t c, Node r) {
    int h = Hash(q, c);
    Node t = Next[h];
    Next[h] = r;
    Next[r] = t;
    Prev[t] = r;
    Prev[r] = static_cast<Node>(h);
    Parent[r] = q;
    ChildCount[q]++;
}

// Puts `with` where `old` is in its parent's chain.
void TMatchFinder::ReplaceInChain(Node old, Node with) {
    Node t = Prev[old];
    Prev[with] = t;
    Next[t] = with;
    t = Next[old];
    Next[with] = t;
    Prev[t] = with;
    Parent[with] = Parent[old];
}

void TMatchFinder::Split(Node old, int pos) {
    Node node = FreeList;
    FreeList = Next[node];
    ChildCount[node] = 0;
    ReplaceInChain(old, node);
    Level[node] = static_cast<uint8_t>(MatchLen);
    Position[node] = static_cast<Node>(pos);
    MakeChild(node, Text[MatchPos + MatchLen], old);
    MakeChild(node, Text[pos + MatchLen], static_cast<Node>(pos));
}

void TMatchFinder::Insert(int pos) {
    Node q, r;
    if (MatchLen >= 4) {
        // The text at pos continues the previous match, one byte on: start below its leaf.
        --MatchLen;
        r = static_cast<Node>((MatchPos + 1) | DicSize);
        while ((q = Parent[r]) == Nil) r = Next[r];  // a leaf replaced by a newer one
        while (Level[q] >= MatchLen) {
            r = q;
            q = Parent[q];
        }
        for (Node t = q; t < DicSize; t = Parent[t]) Position[t] = static_cast<Node>(pos);
    } else {
        q = RootOf(Text[pos]);
        uint8_t c = Text[pos + 1];
        if ((r = ChildOf(q, c)) == Nil) {
            MakeChild(q, c, static_cast<Node>(pos));
            MatchLen = 1;
            return;
        }
        MatchLen = 2;
    }
    for (;;) {
        int depth;
        if (r >= DicSize) {
            depth = MaxMatch;
            MatchPos = r;
        } else {
            depth = Level[r];
            MatchPos = Position[r];
        }
        MatchPos = TextPosition(MatchPos, pos);
        while (MatchLen < depth) {
            if (Text[pos + MatchLen] != Text[MatchPos + MatchLen]) {
                Split(r, pos);
                return;
            }
            ++MatchLen;
        }
        if (MatchLen >= MaxMatch) break;
        Position[r] = static_cast<Node>(pos);
        q = r;
        uint8_t c = Text[pos + MatchLen];
        if ((r = ChildOf(q, c)) == Nil) {
            MakeChild(q, c, static_cast<Node>(pos));
            return;
        }
        ++MatchLen;
    }
    // A leaf matching for the full length is replaced by the new position; its Next then
    // leads to the replacement (see the start of Insert).
    ReplaceInChain(r, static_cast<Node>(pos));
    Parent[r] = Nil;
    Next[r] = static_cast<Node>(pos);
}

void TMatchFinder::Delete(int pos) {
    if (Parent[pos] == Nil) return;
    Node r = Prev[pos], s = Next[pos];
    Next[r] = s;
    Prev[s] = r;
    r = Parent[pos];
    Parent[pos] = Nil;
    if (r >= DicSize || --ChildCount[r] > 1) return;
    // r has one child left, which takes r's place; r's newest position leads to it.
    int t = TextPosition(Position[r], pos);
    s = ChildOf(r, Text[t + Level[r]]);
    Node a = Prev[s], b = Next[s];
    Next[a] = b;
    Prev[b] = a;
    ReplaceInChain(r, s);
    Parent[r] = Nil;
    Next[r] = FreeList;
    FreeList = r;
}

}  // namespace kv::archive::lh5
