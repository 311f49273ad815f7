#pragma once

#include "core/image_constants.h"
#include "core/param_image.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

namespace quorvel {

// The undo ring: whole-image snapshots of blocks 1..19 with the page they were taken on. It is
// also the change detector of the system: every byte that differs from the current entry marks
// its block for programming.
//
// Entries from `oldest` to `current` form the undo path, entries after `current` up to `newest`
// the redo path; with 200 entries at most 199 steps can be undone.
class UndoHistory {
public:
    static constexpr int kEntries = 200;
    static constexpr int kFirstOffset = kBlockSize; // block 0, the unit header, is never kept
    static constexpr int kSnapshotBytes = kImageSize - kFirstOffset;

    // What a step back or forth did to the image.
    struct Restored {
        bool changed = false; // some byte of the image was rewritten
        int page = 0;         // the page of the change undone or redone
    };

    UndoHistory();
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;
    UndoHistory(UndoHistory&&) = delete;
    UndoHistory& operator=(UndoHistory&&) = delete;
    ~UndoHistory();

    // Forgets every entry; the image becomes the only one.
    void init(const ParamImage& image, int page);

    // Records the image when it differs from the current entry, marking every block that
    // differs as pending. True when an entry was recorded.
    bool takeSnapshot(ParamImage& image, int page);

    // Step back or forth and write the entry into the image, marking every block it rewrites
    // as pending; nothing when there is no step in that direction. The page to show is the one
    // the change was made on: for undo the page of the entry left, for redo that of the entry
    // reached.
    std::optional<Restored> undo(ParamImage& image);
    std::optional<Restored> redo(ParamImage& image);

    [[nodiscard]] bool canUndo() const { return m_current != m_oldest; }
    [[nodiscard]] bool canRedo() const { return m_current != m_newest; }
    // How many steps back Undo can go.
    [[nodiscard]] int undoSteps() const { return (m_current - m_oldest + kEntries) % kEntries; }

private:
    using Snapshot = std::array<std::uint8_t, kSnapshotBytes + 1>; // the bytes, then the page

    // Marks every block in which the current entry and the image differ; when `write` is set
    // the entry's bytes are written into the image as well.
    bool compare(ParamImage& image, bool write);
    bool rewrite(ParamImage& image);
    [[nodiscard]] int pageOf(int entry) const;
    void store(const ParamImage& image, int page);

    // One block of storage, allocated once: recording never allocates.
    std::unique_ptr<std::array<Snapshot, kEntries>> m_ring;
    int m_oldest = 0;
    int m_current = 0;
    int m_newest = 0;
};

} // namespace quorvel
