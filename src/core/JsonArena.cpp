#include "core/JsonArena.h"

#include <algorithm>
#include <cstdint>
#include <new>

namespace {

constexpr size_t kBlockBytes = 32 * 1024;
// Larger pieces (the child list of a long list) get a block of their own.
constexpr size_t kLargePieceBytes = kBlockBytes / 4;

// Field names looked up before a new one is stored; rows repeat a handful of names.
constexpr size_t kRecentNames = 64;

} // namespace

JsonArena::JsonArena(const QString& source) : m_source(source) {}

JsonArena::~JsonArena() = default;

void* JsonArena::allocate(size_t bytes, size_t alignment)
{
    if (bytes > kLargePieceBytes) {
        // operator new[] aligns for every fundamental type.
        m_blocks.push_back(std::make_unique<char[]>(bytes));
        return m_blocks.back().get();
    }
    // Alignments are powers of two.
    const size_t padding = (0 - reinterpret_cast<uintptr_t>(m_free)) & (alignment - 1);
    if (!m_free || padding + bytes > m_freeBytes) {
        m_blocks.push_back(std::unique_ptr<char[]>(new char[kBlockBytes]));
        m_free = m_blocks.back().get();
        m_freeBytes = kBlockBytes;
        return allocate(bytes, alignment);
    }
    char* piece = m_free + padding;
    m_free = piece + bytes;
    m_freeBytes -= padding + bytes;
    return piece;
}

JsonNode* JsonArena::makeNode(JsonNode::Kind kind)
{
    void* place = allocate(sizeof(JsonNode), alignof(JsonNode));
    return new (place) JsonNode(kind);
}

const JsonNode* const* JsonArena::copyPointers(const JsonNode* const* first, int count)
{
    if (count <= 0) {
        return nullptr;
    }
    const size_t bytes = sizeof(const JsonNode*) * static_cast<size_t>(count);
    auto* copy = static_cast<const JsonNode**>(allocate(bytes, alignof(const JsonNode*)));
    std::copy(first, first + count, copy);
    return copy;
}

int* JsonArena::makeInts(int count)
{
    const size_t bytes = sizeof(int) * static_cast<size_t>(std::max(count, 1));
    return static_cast<int*>(allocate(bytes, alignof(int)));
}

const QString& JsonArena::keepText(const QString& text)
{
    m_texts.push_back(text);
    return m_texts.back();
}

const QString* JsonArena::internName(QStringView name)
{
    const qsizetype length = name.size();
    for (const QString* known : m_recentNames) {
        if (known->size() == length &&
            (length == 0 || (known->front() == name.front() && QStringView(*known) == name))) {
            return known;
        }
    }
    const QString* stored = &keepText(name.toString());
    if (m_recentNames.size() < kRecentNames) {
        m_recentNames.push_back(stored);
    }
    return stored;
}
