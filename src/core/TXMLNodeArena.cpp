#include "core/TXMLNodeArena.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <new>
#include <vector>

namespace {

// Blocks stay below the size at which the C library maps memory of its own, so that the memory
// of one document is reused for the next instead of mapped and faulted in again.
constexpr size_t kBlockBytes = 32 * 1024;
// Larger pieces (the child list of a long list) get a block of their own.
constexpr size_t kLargePieceBytes = kBlockBytes / 4;
// A broadcast of 300 bytes needs about 900 bytes of nodes; attribute-heavy texts need more.
constexpr size_t kBytesPerInputByte = 3;
constexpr size_t kSmallestBlockBytes = 1024;

constexpr size_t kAlignment = alignof(std::max_align_t);

constexpr size_t roundUp(size_t bytes, size_t alignment)
{
    return (bytes + alignment - 1) & ~(alignment - 1);
}

// Freed blocks of the sizes from kSmallestBlockBytes to kBlockBytes (powers of two), kept per
// thread: broadcasts come one after the other, each read into a small arena of its own.
class FreedBlocks
{
public:
    ~FreedBlocks()
    {
        for (auto& blocks : m_blocks) {
            for (void* block : blocks) {
                std::free(block);
            }
        }
        released = true;
    }

    static size_t sizeClass(size_t bytes)
    {
        size_t index = 0;
        while ((kSmallestBlockBytes << index) < bytes) {
            ++index;
        }
        return index;
    }

    void* take(size_t bytes)
    {
        if (!released) {
            std::vector<void*>& blocks = m_blocks[sizeClass(bytes)];
            if (!blocks.empty()) {
                void* block = blocks.back();
                blocks.pop_back();
                return block;
            }
        }
        void* block = std::malloc(bytes);
        if (!block) {
            throw std::bad_alloc();
        }
        return block;
    }

    void give(void* block, size_t bytes)
    {
        if (!released && isCachedSize(bytes)) {
            std::vector<void*>& blocks = m_blocks[sizeClass(bytes)];
            if (blocks.size() < kKeptPerSize) {
                blocks.push_back(block);
                return;
            }
        }
        std::free(block);
    }

    static bool isCachedSize(size_t bytes)
    {
        return bytes <= kBlockBytes && bytes == (kSmallestBlockBytes << sizeClass(bytes));
    }

    // Set once the cache is gone, for arenas released later during the thread's exit.
    static thread_local bool released;

private:
    static constexpr size_t kKeptPerSize = 4;
    static constexpr size_t kSizes = 6; // 1 KB to 32 KB
    static_assert((kSmallestBlockBytes << (kSizes - 1)) == kBlockBytes);
    std::array<std::vector<void*>, kSizes> m_blocks;
};

thread_local bool FreedBlocks::released = false;
thread_local FreedBlocks freedBlocks;

} // namespace

TXMLNodeArena* TXMLNodeArena::create(int inputBytes)
{
    const size_t header = roundUp(sizeof(TXMLNodeArena), kAlignment);
    const size_t wanted =
        header + static_cast<size_t>(std::max(inputBytes, 0)) * kBytesPerInputByte;
    const size_t bytes = kSmallestBlockBytes
                         << FreedBlocks::sizeClass(std::min(wanted, kBlockBytes));
    char* block = static_cast<char*>(freedBlocks.take(bytes));
    return ::new (block) TXMLNodeArena(block + header, bytes - header, bytes);
}

void* TXMLNodeArena::allocate(size_t bytes)
{
    bytes = roundUp(bytes, alignof(void*));
    if (bytes <= m_freeBytes) {
        char* piece = m_free;
        m_free += bytes;
        m_freeBytes -= bytes;
        return piece;
    }
    const size_t header = roundUp(sizeof(Block), kAlignment);
    const size_t blockBytes = bytes > kLargePieceBytes ? header + bytes : kBlockBytes;
    char* memory = static_cast<char*>(freedBlocks.take(blockBytes));
    m_blocks = ::new (memory) Block{m_blocks, blockBytes};
    char* piece = memory + header;
    if (bytes <= kLargePieceBytes) {
        // The rest of the new block serves the next pieces; what was left of the old is lost.
        m_free = piece + bytes;
        m_freeBytes = blockBytes - header - bytes;
    }
    return piece;
}

void TXMLNodeArena::release()
{
    if (m_references.fetch_sub(1, std::memory_order_acq_rel) != 1) {
        return;
    }
    Block* block = m_blocks;
    while (block) {
        Block* next = block->next;
        freedBlocks.give(block, block->bytes);
        block = next;
    }
    const size_t firstBlockBytes = m_firstBlockBytes;
    this->~TXMLNodeArena();
    freedBlocks.give(this, firstBlockBytes);
}
