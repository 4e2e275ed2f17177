#pragma once

#include "core/TXMLNode.h"
#include "core/TXMLStringReaderState.h"

#include <QByteArray>
#include <QString>
#include <memory>
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
        if (m_state.position < m_text.size()) {
            ++m_state.position;
            m_state.current = m_text.at(m_state.position - 1);
        } else {
            m_state.position = m_text.size() + 1;
            m_state.current = '\0';
        }
    }
    bool atEnd() const { return m_state.position > m_text.size(); }
    char current() const { return m_state.current; }
    TXMLStringReaderState state() const { return m_state; }
    void restore(const TXMLStringReaderState& state) { m_state = state; }
    bool lookingAt(const char* literal) const;
    void skipLiteral(const char* literal);
    bool skipWhiteSpace();
    QByteArray readName();
    void jumpTo(int index);
    int find(const char* literal) const;
    [[noreturn]] void fail(const QString& message) const;

    // Grammar.
    void parseXmlDeclaration(TXMLNode& document);
    void parseMisc(TXMLNode* parent, bool inProlog);
    void parseComment();
    void parseProcessingInstruction(TXMLNode* parent);
    void parseElement(TXMLNode& parent, int depth);
    void parseStartTagRest(TXMLNode& element, int depth);
    void parseAttribute(TXMLNode& element);
    void parseContent(TXMLNode& element, int depth);
    void parseCData(TXMLNode& element);
    void parseCharacterData(TXMLNode& element);
    void parseEndTag(const TXMLNode& element);
    char parseReference(char quote);

    QByteArray m_text;
    TXMLStringReaderState m_state;
    // Names met so far in this text; a repeated name shares the stored bytes.
    std::vector<QByteArray> m_knownNames;
};
