#pragma once

#include <atomic>
#include <cstddef>

// The memory behind the nodes of one document read by TXMLStringReader: nodes and their child
// lists come from a few blocks instead of one allocation each. The arena lives at the start of
// its first block and is freed once the last reference goes: the document holds one, and so
// does every subtree detached from it that is still alive.
class TXMLNodeArena
{
public:
    // An arena sized for a document of about inputBytes, holding one reference.
    static TXMLNodeArena* create(int inputBytes);
    TXMLNodeArena(const TXMLNodeArena&) = delete;
    TXMLNodeArena& operator=(const TXMLNodeArena&) = delete;

    // Pointer-aligned memory that stays valid while the arena lives.
    void* allocate(size_t bytes);

    void acquire() { m_references.fetch_add(1, std::memory_order_relaxed); }
    void release();

private:
    struct Block
    {
        Block* next;
        size_t bytes;
    };

    TXMLNodeArena(char* free, size_t freeBytes, size_t firstBlockBytes)
        : m_free(free), m_freeBytes(freeBytes), m_firstBlockBytes(firstBlockBytes)
    {}
    ~TXMLNodeArena() = default;

    std::atomic<int> m_references{1};
    char* m_free;
    size_t m_freeBytes;
    size_t m_firstBlockBytes;
    // Blocks taken after the first one, newest first.
    Block* m_blocks = nullptr;
};
