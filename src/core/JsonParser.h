#pragma once

#include "core/JsonNode.h"

#include <QString>
#include <QStringView>
#include <memory>
#include <vector>

class JsonArena;

// The reader behind ParseJson: recursive descent over UTF-16 code units, building the tree
// in one arena.
class JsonParser
{
public:
    explicit JsonParser(const QString& text);
    ~JsonParser();

    // The first value of the text, or nullptr when there is none or the text is invalid.
    std::unique_ptr<JsonNode> parseDocument();

    // Lists and objects nested deeper than this make the text invalid.
    static constexpr int kMaxDepth = 512;

private:
    struct Invalid
    {
        const char* reason;
    };

    void skipLowChars()
    {
        while (m_position < m_length && m_text[m_position].unicode() <= 32) {
            ++m_position;
        }
    }
    bool atEnd() const { return m_position >= m_length; }
    ushort peek() const { return m_position < m_length ? m_text[m_position].unicode() : 0; }
    bool lookingAt(QLatin1String literal) const;
    [[noreturn]] static void invalid(const char* reason) { throw Invalid{reason}; }

    // Each returns nullptr, having read nothing, when no such value starts here.
    JsonNode* readValue(int depth);
    JsonNode* readLiteral();
    JsonNode* readNumber();
    JsonNode* readString();
    JsonNode* readList(int depth);
    JsonNode* readObject(int depth);
    bool readField(int depth);
    // The trimmed text of the string starting here; false when no string starts here.
    bool readStringText(QStringView* text);
    void readEscape(QString& text);
    // Ends a list or object whose children were collected from childrenStart on.
    void takeChildren(JsonNode& parent, size_t childrenStart);

    std::unique_ptr<JsonArena> m_arena;
    const QChar* m_text;
    int m_length;
    int m_position = 0;
    // Children of the lists and objects being read, innermost last.
    std::vector<const JsonNode*> m_pending;
};
