#pragma once

#include "core/TXMLNode.h"
#include "core/TXMLStringReaderState.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <string_view>
#include <vector>

// Reads a GBK XML text into a TXMLNode tree. Byte oriented: one byte is one character; no
// namespaces, DTDs or encodings. Every parse error is thrown as CoreError with a fixed message
// ("Missing element", "No ending tag for root", ...).
class TXMLStringReader
{
public:
    TXMLStringReader() = default;
    explicit TXMLStringReader(const QByteArray& gbkText);
    explicit TXMLStringReader(const QString& text);
    explicit TXMLStringReader(const char* utf8Text);
    virtual ~TXMLStringReader();

    // The document node (kind Document, empty name) with the XML declaration, processing
    // instructions of the prolog and the root element as children.
    std::unique_ptr<TXMLNode> parse();

    // Parses a whole text in one call.
    static std::unique_ptr<TXMLNode> parseText(const QString& text);
    static std::unique_ptr<TXMLNode> parseBytes(const QByteArray& gbkText);

    // Nesting deeper than this is refused so that no input can exhaust the stack.
    static constexpr int kMaxDepth = 256;

protected:
    void setInput(const QByteArray& gbkText);
    const QByteArray& input() const { return m_text; }

private:
    // Reading primitives.
    void readChar()
    {
        if (m_state.position < m_size) {
            ++m_state.position;
            m_state.current = m_bytes[m_state.position - 1];
        } else {
            m_state.position = m_size + 1;
            m_state.current = '\0';
        }
    }
    bool atEnd() const { return m_state.position > m_size; }
    char current() const { return m_state.current; }
    TXMLStringReaderState state() const { return m_state; }
    void restore(const TXMLStringReaderState& state) { m_state = state; }
    template <size_t N> bool lookingAt(const char (&literal)[N]) const
    {
        return lookingAt(literal, static_cast<int>(N - 1));
    }
    bool lookingAt(const char* literal, int length) const;
    // Steps over a literal that lookingAt has just found.
    template <size_t N> void skipLiteral(const char (&)[N])
    {
        jumpTo(m_state.position - 1 + static_cast<int>(N - 1));
    }
    bool skipWhiteSpace();
    // The name starting here, sharing its bytes with a recent one of the same bytes.
    QByteArray readName();
    // The name starting here, referring to the input; empty when no name starts here.
    std::string_view readNameInPlace();
    void jumpTo(int index);
    int find(const char* literal) const;
    [[noreturn]] void fail(const QString& message) const;

    // Grammar.
    void parseXmlDeclaration();
    void parseMisc(bool inTree, bool inProlog);
    void parseComment();
    // Adds the processing instruction to the children being read when inTree is set.
    void parseProcessingInstruction(bool inTree);
    void parseElement(int depth);
    void parseStartTagRest(TXMLNode& element, int depth);
    void parseAttribute();
    void parseContent(TXMLNode& element, int depth);
    void parseCData();
    void parseCharacterData();
    // Adds the input's bytes from start up to end to the text of the element being read.
    void keepText(int start, int end);
    void parseEndTag(const TXMLNode& element);
    char parseReference(char quote);

    // Tree building: a node joins the children being read when it starts, and its own
    // children, which follow it there, move into it at once when it is complete.
    TXMLNode* startNode(TXMLNode::Kind kind, QByteArray name);
    void adoptChildren(TXMLNode& node, size_t first);

    QByteArray m_text;
    // m_text's bytes and size, read for every byte of the document.
    const char* m_bytes = m_text.constData();
    int m_size = m_text.size();
    TXMLStringReaderState m_state;
    // Texts of the open elements, innermost last.
    std::vector<char> m_pendingText;
    // The document's arena while it is read.
    TXMLNodeArena* m_arena = nullptr;
    // Complete or open nodes whose parent is not complete yet, in document order.
    std::vector<TXMLNode*> m_pendingChildren;
};
