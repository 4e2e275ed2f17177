#pragma once

#include "core/JsonNode.h"

#include <QString>
#include <memory>
#include <vector>

// The reader behind ParseJson: recursive descent over UTF-16 code units.
class JsonParser
{
public:
    explicit JsonParser(const QString& text);

    // The first value of the text, or nullptr when there is none or the text is invalid.
    std::unique_ptr<JsonNode> parseDocument();

    // Lists and objects nested deeper than this make the text invalid.
    static constexpr int kMaxDepth = 512;

private:
    struct Invalid
    {
        const char* reason;
    };

    void skipLowChars();
    bool atEnd() const { return m_position >= m_length; }
    ushort peek(int offset = 0) const;
    bool lookingAt(const char* literal) const;
    [[noreturn]] static void invalid(const char* reason) { throw Invalid{reason}; }

    // Each returns nullptr, having read nothing, when no such value starts here.
    std::unique_ptr<JsonNode> readValue(int depth);
    std::unique_ptr<JsonNode> readLiteral();
    std::unique_ptr<JsonNode> readNumber();
    std::unique_ptr<JsonNode> readString();
    std::unique_ptr<JsonNode> readList(int depth);
    std::unique_ptr<JsonNode> readObject(int depth);
    bool readField(JsonNode& object, int depth);
    bool readStringText(QString* text);
    bool readFieldName(QString* name);
    void readEscape(QString& text);

    const QChar* m_text;
    int m_length;
    int m_position = 0;
    // Field names met so far, shared by the objects of one document (rows repeat them).
    std::vector<QString> m_knownNames;
};
