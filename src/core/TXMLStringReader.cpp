#include "core/TXMLStringReader.h"

#include "core/CoreError.h"
#include "core/Gbk.h"
#include "core/HexDigits.h"

#include <cstring>

namespace {

bool isNameStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':';
}

bool isNameChar(char c)
{
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           static_cast<quint8>(c) == 0xB7;
}

bool isWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

QString quoted(const QByteArray& name)
{
    return QLatin1Char('"') + Gbk::decode(name) + QLatin1Char('"');
}

// The low 8 bits of the number written in digits, or -1 when digits is not a number.
int numericReferenceByte(const QByteArray& digits, int base)
{
    if (digits.isEmpty()) {
        return -1;
    }
    unsigned value = 0;
    for (char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0 || digit >= base) {
            return -1;
        }
        value = (value * static_cast<unsigned>(base) + static_cast<unsigned>(digit)) & 0xFFU;
    }
    return static_cast<int>(value);
}

} // namespace

TXMLStringReader::TXMLStringReader(const QByteArray& gbkText) : m_text(gbkText) {}

TXMLStringReader::TXMLStringReader(const QString& text) : m_text(Gbk::encode(text)) {}

TXMLStringReader::TXMLStringReader(const char* utf8Text)
    : m_text(Gbk::encode(QString::fromUtf8(utf8Text)))
{}

TXMLStringReader::~TXMLStringReader() = default;

void TXMLStringReader::setInput(const QByteArray& gbkText)
{
    m_text = gbkText;
    m_state = TXMLStringReaderState();
}

std::unique_ptr<TXMLNode> TXMLStringReader::parseText(const QString& text)
{
    return TXMLStringReader(text).parse();
}

std::unique_ptr<TXMLNode> TXMLStringReader::parseBytes(const QByteArray& gbkText)
{
    return TXMLStringReader(gbkText).parse();
}

std::unique_ptr<TXMLNode> TXMLStringReader::parse()
{
    m_state = TXMLStringReaderState();
    readChar();
    auto document = std::make_unique<TXMLNode>(TXMLNode::Document);
    skipWhiteSpace();
    if (lookingAt("<?xml") && m_state.position + 5 <= m_text.size()) {
        const char after = m_text.at(m_state.position + 4);
        if (isWhiteSpace(after) || after == '?') {
            parseXmlDeclaration(*document);
        }
    }
    parseMisc(document.get(), true);
    if (atEnd() || current() != '<' || m_state.position >= m_text.size() ||
        !isNameStart(m_text.at(m_state.position))) {
        fail(QStringLiteral("Missing element"));
    }
    parseElement(*document, 1);
    parseMisc(nullptr, false);
    return document;
}

// ---- reading primitives ----

void TXMLStringReader::jumpTo(int index)
{
    m_state.position = index;
    readChar();
}

bool TXMLStringReader::lookingAt(const char* literal) const
{
    const int length = static_cast<int>(std::strlen(literal));
    const int start = m_state.position - 1;
    if (atEnd() || start + length > m_text.size()) {
        return false;
    }
    return std::memcmp(m_text.constData() + start, literal, static_cast<size_t>(length)) == 0;
}

void TXMLStringReader::skipLiteral(const char* literal)
{
    for (size_t i = std::strlen(literal); i > 0; --i) {
        readChar();
    }
}

bool TXMLStringReader::skipWhiteSpace()
{
    bool skipped = false;
    while (!atEnd() && isWhiteSpace(current())) {
        readChar();
        skipped = true;
    }
    return skipped;
}

QByteArray TXMLStringReader::readName()
{
    if (atEnd() || !isNameStart(current())) {
        return QByteArray();
    }
    const int start = m_state.position - 1;
    while (!atEnd() && isNameChar(current())) {
        readChar();
    }
    const int length = m_state.position - 1 - start;
    const char* name = m_text.constData() + start;
    for (const QByteArray& known : m_knownNames) {
        if (known.size() == length && std::memcmp(known.constData(), name, size_t(length)) == 0) {
            return known;
        }
    }
    const QByteArray copy(name, length);
    if (m_knownNames.size() < 64) {
        m_knownNames.push_back(copy);
    }
    return copy;
}

int TXMLStringReader::find(const char* literal) const
{
    if (atEnd()) {
        return -1;
    }
    return m_text.indexOf(literal, m_state.position - 1);
}

void TXMLStringReader::fail(const QString& message) const
{
    throw CoreError(message);
}

// ---- grammar ----

void TXMLStringReader::parseXmlDeclaration(TXMLNode& document)
{
    skipLiteral("<?xml");
    TXMLNode* declaration = document.addChild(TXMLNode::XmlDeclaration, "xml");
    for (;;) {
        const bool separated = skipWhiteSpace();
        if (lookingAt("?>")) {
            skipLiteral("?>");
            return;
        }
        if (atEnd() || !separated || !isNameStart(current())) {
            fail(QStringLiteral("XML declaration not terminated with \"?>\""));
        }
        parseAttribute(*declaration);
    }
}

void TXMLStringReader::parseMisc(TXMLNode* parent, bool inProlog)
{
    for (;;) {
        skipWhiteSpace();
        if (lookingAt("<!--")) {
            parseComment();
        } else if (lookingAt("<?")) {
            parseProcessingInstruction(parent);
        } else if (inProlog && lookingAt("<!DOCTYPE")) {
            fail(QStringLiteral("DocTypeDecl parsing not yet implemented"));
        } else {
            return;
        }
    }
}

void TXMLStringReader::parseComment()
{
    skipLiteral("<!--");
    const int start = m_state.position - 1;
    const int end = find("-->");
    if (end < 0) {
        fail(QStringLiteral("Unexpected end of data"));
    }
    if (end > start && m_text.at(end - 1) == '-') {
        fail(QStringLiteral("Comments cannot end in \"--->\""));
    }
    jumpTo(end + 3);
}

void TXMLStringReader::parseProcessingInstruction(TXMLNode* parent)
{
    skipLiteral("<?");
    const QByteArray name = readName();
    if (name.isEmpty()) {
        fail(QStringLiteral("Processing instruction does not contain valid name"));
    }
    if (name.toLower() == "xml") {
        fail(QStringLiteral("Processing instruction cannot have the reserved name \"xml\""));
    }
    const int end = find("?>");
    if (end < 0) {
        fail(QStringLiteral("Unterminated processing instruction"));
    }
    const int start = m_state.position - 1;
    if (parent) {
        parent->addChild(TXMLNode::ProcessingInstruction, name)
            ->setText(m_text.mid(start, end - start));
    }
    jumpTo(end + 2);
}

void TXMLStringReader::parseElement(TXMLNode& parent, int depth)
{
    if (depth > kMaxDepth) {
        fail(QStringLiteral("Elements nested too deeply"));
    }
    readChar(); // "<"
    // The element joins its parent only once it is complete.
    auto element = std::make_unique<TXMLNode>(TXMLNode::Element, readName());
    parseStartTagRest(*element, depth);
    parent.addChild(std::move(element));
}

void TXMLStringReader::parseStartTagRest(TXMLNode& element, int depth)
{
    for (;;) {
        // Attributes are separated by white space: <a b='1'c='2'> is not a start tag.
        const bool separated = skipWhiteSpace();
        if (atEnd()) {
            fail(QStringLiteral("Unexpected end of data"));
        }
        if (current() == '/') {
            readChar();
            if (current() != '>' || atEnd()) {
                fail(QStringLiteral("Tag not terminated properly"));
            }
            readChar();
            return;
        }
        if (current() == '>') {
            readChar();
            parseContent(element, depth);
            parseEndTag(element);
            return;
        }
        if (!separated || !isNameStart(current())) {
            fail(QStringLiteral("Tag not terminated properly"));
        }
        parseAttribute(element);
    }
}

void TXMLStringReader::parseAttribute(TXMLNode& element)
{
    const QByteArray name = readName();
    skipWhiteSpace();
    if (atEnd() || current() != '=') {
        fail(QStringLiteral("Equals sign missing in attribute"));
    }
    readChar();
    skipWhiteSpace();
    const char quote = current();
    if (atEnd() || (quote != '"' && quote != '\'')) {
        fail(QStringLiteral("Attribute ") + quoted(name) + QStringLiteral(" missing value"));
    }
    readChar();
    QByteArray value;
    for (;;) {
        if (atEnd()) {
            fail(QStringLiteral("Unexpected end of data"));
        }
        if (current() == quote) {
            readChar();
            break;
        }
        if (current() == '<') {
            fail(QStringLiteral("Invalid character \"<\" in attribute value"));
        }
        if (current() == '&') {
            value.append(parseReference(quote));
            continue;
        }
        const int start = m_state.position - 1;
        int end = start;
        while (end < m_text.size() && m_text.at(end) != quote && m_text.at(end) != '<' &&
               m_text.at(end) != '&') {
            ++end;
        }
        value.append(m_text.constData() + start, end - start);
        jumpTo(end);
    }
    element.addChild(TXMLNode::Attribute, name)->setText(value);
}

void TXMLStringReader::parseContent(TXMLNode& element, int depth)
{
    for (;;) {
        if (atEnd()) {
            fail(QStringLiteral("No ending tag for ") + element.name());
        }
        if (current() == '&') {
            element.appendText(parseReference('\0'));
        } else if (current() != '<') {
            parseCharacterData(element);
        } else if (lookingAt("</")) {
            return;
        } else if (lookingAt("<![CDATA[")) {
            parseCData(element);
        } else if (lookingAt("<!--")) {
            parseComment();
        } else if (lookingAt("<?")) {
            parseProcessingInstruction(&element);
        } else if (m_state.position < m_text.size() && isNameStart(m_text.at(m_state.position))) {
            parseElement(element, depth + 1);
        } else {
            fail(QStringLiteral("Tag not terminated properly"));
        }
    }
}

void TXMLStringReader::parseCData(TXMLNode& element)
{
    skipLiteral("<![CDATA[");
    const int start = m_state.position - 1;
    const int end = find("]]>");
    if (end < 0) {
        fail(QStringLiteral("Unexpected end of data"));
    }
    element.appendText(m_text.mid(start, end - start));
    jumpTo(end + 3);
}

void TXMLStringReader::parseCharacterData(TXMLNode& element)
{
    const int start = m_state.position - 1;
    int end = start;
    while (end < m_text.size() && m_text.at(end) != '<' && m_text.at(end) != '&') {
        ++end;
    }
    const QByteArray data = m_text.mid(start, end - start);
    if (data.contains("]]>")) {
        fail(QStringLiteral("Character data cannot contain \"]]>\""));
    }
    element.appendText(data);
    jumpTo(end);
}

void TXMLStringReader::parseEndTag(const TXMLNode& element)
{
    skipLiteral("</");
    const QByteArray name = readName();
    if (name != element.nameBytes()) {
        fail(QStringLiteral("End tag name ") + quoted(name) +
             QStringLiteral(" does not match start tag name ") + quoted(element.nameBytes()));
    }
    skipWhiteSpace();
    if (atEnd() || current() != '>') {
        fail(QStringLiteral("End tag missing \">\""));
    }
    readChar();
}

char TXMLStringReader::parseReference(char quote)
{
    if (atEnd() || current() != '&') {
        fail(QStringLiteral("All references must begin with \"&\""));
    }
    readChar();
    const int start = m_state.position - 1;
    while (!atEnd() && current() != ';' && current() != '<' &&
           (quote == '\0' || current() != quote)) {
        readChar();
    }
    const QByteArray name = m_text.mid(start, m_state.position - 1 - start);
    if (!atEnd() && current() == ';') {
        readChar();
    }
    if (name.startsWith('#')) {
        const bool hex = name.startsWith("#x");
        const int value = numericReferenceByte(name.mid(hex ? 2 : 1), hex ? 16 : 10);
        if (value < 0) {
            fail(QStringLiteral("Invalid integer in reference &") + Gbk::decode(name) +
                 QLatin1Char(';'));
        }
        return static_cast<char>(value);
    }
    static const struct
    {
        const char* name;
        char byte;
    } kEntities[] = {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& entity : kEntities) {
        if (name == entity.name) {
            return entity.byte;
        }
    }
    fail(QStringLiteral("Unrecognized reference(&") + Gbk::decode(name) + QLatin1Char(')'));
}
