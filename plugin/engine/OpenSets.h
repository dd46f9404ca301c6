// The sets of runs of a row-by-row labelling whose areas are still open: a union-find over the runs of the
// row above and of the row being labelled only. After each row every run names its set's root directly and
// the sets are numbered afresh, so the store holds at most two rows' worth of sets whatever the image's count
// of areas; a set that no run of the new row names has closed and is handed back.
//
// Info is what a set carries; it has a `label`, the provisional label the set was made with, and the set with
// the smaller label stays the root when two sets join, as the area's first run made the smallest label.
#pragma once

#include <algorithm>
#include <span>
#include <utility>
#include <vector>

#include "PITypes.h"
#include "RowRuns.h"

template <typename Info> class OpenSets {
public:
    // Room for reserved sets is taken at once; more grow the stores.
    explicit OpenSets(size_t reserved = 0) : nodes_(reserved), fresh_(reserved), renumbered_(reserved) {}

    size_t Count() const { return count_; }

    uint32 Make(const Info& info)
    {
        if (count_ == nodes_.size())
            Grow();
        const uint32 set = count_++;
        nodes_[set] = Node{set, info};
        return set;
    }
    uint32 Root(uint32 set)
    {
        for (uint32 up = nodes_[set].parent; up != set; up = nodes_[set].parent) {
            const uint32 grand = nodes_[up].parent;
            nodes_[set].parent = grand; // halves the path for the next look
            set = grand;
        }
        return set;
    }
    Info& operator[](uint32 set) { return nodes_[set].info; }

    // Joins the sets of a and b; merge(kept, gone) hears of it when they were apart.
    template <typename Merge> void Join(uint32 a, uint32 b, Merge&& merge)
    {
        a = Root(a);
        b = Root(b);
        if (a == b)
            return;
        if (nodes_[b].info.label < nodes_[a].info.label)
            std::swap(a, b);
        nodes_[b].parent = a;
        merge(nodes_[a].info, nodes_[b].info);
    }

    // Once a row's runs are labelled: each names its root, numbered afresh, and closed(info) hears of every
    // set none of them names.
    template <typename Closed> void EndRow(std::span<LabeledRun> runs, Closed&& closed)
    {
        std::fill_n(renumbered_.begin(), count_, kNone);
        uint32 fresh = 0;
        for (LabeledRun& run : runs) {
            const uint32 root = Root(run.set);
            if (renumbered_[root] == kNone) {
                renumbered_[root] = fresh;
                fresh_[fresh] = Node{fresh, nodes_[root].info};
                ++fresh;
            }
            run.set = renumbered_[root];
        }
        for (uint32 set = 0; set < count_; ++set)
            if (nodes_[set].parent == set && renumbered_[set] == kNone)
                closed(nodes_[set].info);
        nodes_.swap(fresh_);
        count_ = fresh;
    }
    // At the image's end every set still open closes.
    template <typename Closed> void EndImage(Closed&& closed)
    {
        for (uint32 set = 0; set < count_; ++set)
            if (nodes_[set].parent == set)
                closed(nodes_[set].info);
        count_ = 0;
    }

private:
    static constexpr uint32 kNone = ~0u;
    struct Node {
        uint32 parent;
        Info info;
    };

    // The stores keep their size, and the sets are the first count_ nodes: a row renumbers into fresh_.
    [[gnu::noinline]] void Grow()
    {
        const size_t size = nodes_.size() * 2 + 64;
        nodes_.resize(size);
        fresh_.resize(size);
        renumbered_.resize(size);
    }

    std::vector<Node> nodes_;
    std::vector<Node> fresh_;
    std::vector<uint32> renumbered_;
    uint32 count_ = 0;
};
