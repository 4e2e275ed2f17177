#pragma once

#include "core/JsonNode.h"

#include <QString>
#include <QStringView>
#include <deque>
#include <memory>
#include <vector>

// The memory behind one parsed JSON document: its nodes, their child lists and name indexes
// come from one growing buffer and are released together with the document, instead of one
// allocation per node. Strings without escapes are read in place from a shared copy of the
// source text; only decoded strings and distinct field names are kept as texts of their own.
class JsonArena
{
public:
    explicit JsonArena(const QString& source);
    ~JsonArena();
    JsonArena(const JsonArena&) = delete;
    JsonArena& operator=(const JsonArena&) = delete;

    const QString& source() const { return m_source; }

    // A node owned by the arena; its destructor is never run, so it must own nothing.
    JsonNode* makeNode(JsonNode::Kind kind);
    // A copy of count pointers, or nullptr for none.
    const JsonNode* const* copyPointers(const JsonNode* const* first, int count);
    int* makeInts(int count);
    // A decoded text with a stable address.
    const QString& keepText(const QString& text);
    // The one stored copy of a field name; names repeat in every row of a listing.
    const QString* internName(QStringView name);

private:
    void* allocate(size_t bytes, size_t alignment);

    QString m_source;
    // Blocks stay below the size at which the C library maps memory of its own, so that the
    // memory of one document is reused for the next instead of mapped and faulted in again.
    std::vector<std::unique_ptr<char[]>> m_blocks;
    char* m_free = nullptr;
    size_t m_freeBytes = 0;
    std::deque<QString> m_texts;
    std::vector<const QString*> m_recentNames;
};
