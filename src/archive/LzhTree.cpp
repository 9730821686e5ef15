#include "archive/LzhTree.h"

#include <algorithm>

namespace kv::archive::lzh {

TLzhTree::TLzhTree() {
    for (int s = 0; s < Symbols; ++s) {
        Freq[s] = 1;
        Child[s] = static_cast<uint16_t>(s + Nodes);
        Parent[s + Nodes] = static_cast<uint16_t>(s);
    }
    for (int i = 0, j = Symbols; j < Nodes; i += 2, ++j) {
        Freq[j] = static_cast<uint16_t>(Freq[i] + Freq[i + 1]);
        Child[j] = static_cast<uint16_t>(i);
        Parent[i] = Parent[i + 1] = static_cast<uint16_t>(j);
    }
    Freq[Nodes] = 0xFFFF;  // sentinel that ends every search for a place
    Parent[Root] = 0;
}

void TLzhTree::Rebuild() {
    // Leaves move to the front in index order, their counts halved rounding up.
    int j = 0;
    for (int i = 0; i < Nodes; ++i) {
        if (Child[i] >= Nodes) {
            Freq[j] = static_cast<uint16_t>((Freq[i] + 1) / 2);
            Child[j] = Child[i];
            ++j;
        }
    }
    // Internal nodes join pairs in turn, each inserted where the order of counts keeps.
    for (int i = 0, n = Symbols; n < Nodes; i += 2, ++n) {
        uint16_t f = static_cast<uint16_t>(Freq[i] + Freq[i + 1]);
        int k = n - 1;
        while (f < Freq[k]) --k;
        ++k;
        std::copy_backward(Freq + k, Freq + n, Freq + n + 1);
        std::copy_backward(Child + k, Child + n, Child + n + 1);
        Freq[k] = f;
        Child[k] = static_cast<uint16_t>(i);
    }
    for (int i = 0; i < Nodes; ++i) {
        int k = Child[i];
        Parent[k] = static_cast<uint16_t>(i);
        if (k < Nodes) Parent[k + 1] = static_cast<uint16_t>(i);
    }
}

void TLzhTree::Update(int s) {
    if (Freq[Root] == RebuildAt) Rebuild();
    int c = Parent[s + Nodes];
    do {
        unsigned k = ++Freq[c];
        if (k > Freq[c + 1]) {
            // Swap c with the last node whose count is still below k.
            int l = c + 1;
            while (k > Freq[l + 1]) ++l;
            Freq[c] = Freq[l];
            Freq[l] = static_cast<uint16_t>(k);
            int i = Child[c];
            Parent[i] = static_cast<uint16_t>(l);
            if (i < Nodes) Parent[i + 1] = static_cast<uint16_t>(l);
            int j = Child[l];
            Child[l] = static_cast<uint16_t>(i);
            Parent[j] = static_cast<uint16_t>(c);
            if (j < Nodes) Parent[j + 1] = static_cast<uint16_t>(c);
            Child[c] = static_cast<uint16_t>(j);
            c = l;
        }
    } while ((c = Parent[c]) != 0);
}

int PositionCodeLength(int u) {
    if (u < 1) return 3;
    if (u < 4) return 4;
    if (u < 12) return 5;
    if (u < 24) return 6;
    if (u < 48) return 7;
    return 8;
}

}  // namespace kv::archive::lzh
