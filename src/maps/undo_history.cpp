#include "maps/undo_history.h"

namespace quorvel {

UndoHistory::UndoHistory()
    : m_ring(std::make_unique<std::array<Snapshot, kEntries>>())
{
}

UndoHistory::~UndoHistory() = default;

void UndoHistory::init(const ParamImage& image, int page)
{
    m_oldest = m_current = m_newest = 0;
    store(image, page);
}

bool UndoHistory::takeSnapshot(ParamImage& image, int page)
{
    if (!compare(image, false))
        return false;
    m_current = (m_current + 1) % kEntries;
    m_newest = m_current; // a new change drops the redo path
    if (m_oldest == m_current)
        m_oldest = (m_oldest + 1) % kEntries;
    store(image, page);
    return true;
}

std::optional<UndoHistory::Restored> UndoHistory::undo(ParamImage& image)
{
    if (!canUndo())
        return std::nullopt;
    // The page to show is the one the undone change was made on.
    const int page = pageOf(m_current);
    m_current = m_current == 0 ? kEntries - 1 : m_current - 1;
    return Restored{rewrite(image), page};
}

std::optional<UndoHistory::Restored> UndoHistory::redo(ParamImage& image)
{
    if (!canRedo())
        return std::nullopt;
    m_current = (m_current + 1) % kEntries;
    return Restored{rewrite(image), pageOf(m_current)};
}

bool UndoHistory::compare(ParamImage& image, bool write)
{
    const Snapshot& entry = (*m_ring)[static_cast<std::size_t>(m_current)];
    bool changed = false;
    for (int k = 0; k < kSnapshotBytes; ++k) {
        const std::uint8_t kept = entry[static_cast<std::size_t>(k)];
        const int offset = kFirstOffset + k;
        if (kept == image.byte(offset))
            continue;
        changed = true;
        image.pendingBlocks().set(offset / kBlockSize);
        if (write)
            image.setByte(offset, kept);
    }
    return changed;
}

bool UndoHistory::rewrite(ParamImage& image)
{
    return compare(image, true);
}

int UndoHistory::pageOf(int entry) const
{
    return (*m_ring)[static_cast<std::size_t>(entry)][kSnapshotBytes];
}

void UndoHistory::store(const ParamImage& image, int page)
{
    Snapshot& entry = (*m_ring)[static_cast<std::size_t>(m_current)];
    const auto bytes = image.bytes();
    std::copy(bytes.begin() + kFirstOffset, bytes.end(), entry.begin());
    entry[kSnapshotBytes] = static_cast<std::uint8_t>(page & 0xFF);
}

} // namespace quorvel
