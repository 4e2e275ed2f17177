#include "core/TXMLStringReader.h"

#include "core/CoreError.h"
#include "core/Gbk.h"
#include "core/HexDigits.h"
#include "core/TXMLNodeArena.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace {

constexpr bool isNameStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':';
}

// Which bytes may follow the first of a name, as a table: names are read for every tag.
constexpr std::array<bool, 256> kNameChars = [] {
    std::array<bool, 256> allowed{};
    for (int c = 0; c < 256; ++c) {
        allowed[static_cast<size_t>(c)] = isNameStart(static_cast<char>(c)) ||
                                          (c >= '0' && c <= '9') || c == '-' || c == '.' ||
                                          c == 0xB7;
    }
    return allowed;
}();

// Bytes that end a run of character data.
constexpr std::array<bool, 256> kTextStops = [] {
    std::array<bool, 256> stops{};
    stops['<'] = true;
    stops['&'] = true;
    return stops;
}();

bool isNameChar(char c)
{
    return kNameChars[static_cast<quint8>(c)];
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
int numericReferenceByte(std::string_view digits, int base)
{
    if (digits.empty()) {
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

// Names are short: a loop beats a call to memcmp.
bool sameBytes(const char* a, const char* b, int length)
{
    for (int i = 0; i < length; ++i) {
        if (a[i] != b[i])
            return false;
    }
    return true;
}

// Names read lately on this thread. Broadcasts and settings files repeat a small set of
// names document after document, so a repeated name shares its stored bytes instead of
// being copied again.
class RecentNames
{
public:
    QByteArray share(std::string_view name)
    {
        const int length = static_cast<int>(name.size());
        // Names come in the same order in every row: look after the last one found first.
        size_t index = m_lastFound;
        for (size_t i = 0; i < m_count; ++i) {
            index = index + 1 < m_count ? index + 1 : 0;
            const QByteArray& known = m_names[index];
            if (known.size() == length && sameBytes(known.constData(), name.data(), length)) {
                m_lastFound = index;
                return known;
            }
        }
        const QByteArray copy(name.data(), length);
        if (name.size() <= kLongestKept) {
            // Full: the oldest name makes room, so a document with new names is not slowed.
            m_names[m_count < kKept ? m_count++ : m_next++ % kKept] = copy;
        }
        return copy;
    }

private:
    static constexpr size_t kKept = 64;
    static constexpr size_t kLongestKept = 32;
    std::array<QByteArray, kKept> m_names;
    size_t m_count = 0;
    size_t m_next = 0;
    size_t m_lastFound = 0;
};

thread_local RecentNames recentNames;

// Short texts read lately on this thread, found by their bytes: listings repeat codes, dates,
// places and the line breaks and indentation between elements row after row, so a repeated
// text shares its stored bytes instead of taking memory of its own again.
class RecentTexts
{
public:
    QByteArray share(const char* bytes, int length)
    {
        if (length > kLongestKept) {
            return QByteArray(bytes, length);
        }
        QByteArray& known = m_texts[slotOf(bytes, length)];
        if (known.size() != length || std::memcmp(known.constData(), bytes, length) != 0) {
            known = QByteArray(bytes, length);
        }
        return known;
    }

private:
    static constexpr int kLongestKept = 32;
    static constexpr size_t kSlots = 256;

    static quint64 load(const char* bytes, int length)
    {
        quint64 value = 0;
        std::memcpy(&value, bytes, static_cast<size_t>(std::min(length, 8)));
        return value;
    }
    // From the length and the first and last eight bytes.
    static size_t slotOf(const char* bytes, int length)
    {
        const quint64 head = load(bytes, length);
        const quint64 tail = length > 8 ? load(bytes + length - 8, 8) : 0;
        const quint64 mixed = (head * 0x9E3779B97F4A7C15ULL) ^ (tail * 0xC2B2AE3D27D4EB4FULL) ^
                              static_cast<quint64>(length);
        return static_cast<size_t>((mixed ^ (mixed >> 29)) >> 32) & (kSlots - 1);
    }

    std::array<QByteArray, kSlots> m_texts;
};

thread_local RecentTexts recentTexts;

// The work lists of the last document read on this thread, kept for the next one so that a
// burst of broadcasts does not grow them anew for every stanza.
struct ReadingLists
{
    std::vector<char> text;
    std::vector<TXMLNode*> children;
};
thread_local ReadingLists keptLists;

// Lists grown beyond this by a large document are not kept.
constexpr size_t kLongestKeptListBytes = 64 * 1024;

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
    m_bytes = m_text.constData();
    m_size = m_text.size();
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
    TXMLNodeArena* arena = TXMLNodeArena::create(m_size);
    std::unique_ptr<TXMLNode> document = TXMLNode::makeDocument(*arena);
    m_arena = arena;
    // When reading fails, the nodes read so far that no parent has taken yet are destroyed
    // before the document and its arena.
    struct PendingNodes
    {
        explicit PendingNodes(TXMLStringReader& reader) : m_reader(reader)
        {
            m_reader.m_pendingText.clear();
            m_reader.m_pendingChildren.clear();
            m_reader.m_pendingText.swap(keptLists.text);
            m_reader.m_pendingChildren.swap(keptLists.children);
        }
        ~PendingNodes()
        {
            for (TXMLNode* node : m_reader.m_pendingChildren) {
                if (node) {
                    TXMLNode::destroy(node);
                }
            }
            m_reader.m_pendingChildren.clear();
            m_reader.m_pendingText.clear();
            m_reader.m_arena = nullptr;
            if (m_reader.m_pendingText.capacity() <= kLongestKeptListBytes) {
                m_reader.m_pendingText.swap(keptLists.text);
            }
            if (m_reader.m_pendingChildren.capacity() * sizeof(TXMLNode*) <=
                kLongestKeptListBytes) {
                m_reader.m_pendingChildren.swap(keptLists.children);
            }
        }
        PendingNodes(const PendingNodes&) = delete;
        PendingNodes& operator=(const PendingNodes&) = delete;
        TXMLStringReader& m_reader;
    } pendingNodes(*this);
    skipWhiteSpace();
    if (lookingAt("<?xml") && m_state.position + 5 <= m_size) {
        const char after = m_bytes[m_state.position + 4];
        if (isWhiteSpace(after) || after == '?') {
            parseXmlDeclaration();
        }
    }
    parseMisc(true, true);
    if (atEnd() || current() != '<' || m_state.position >= m_size ||
        !isNameStart(m_bytes[m_state.position])) {
        fail(QStringLiteral("Missing element"));
    }
    parseElement(1);
    parseMisc(false, false);
    adoptChildren(*document, 0);
    return document;
}

TXMLNode* TXMLStringReader::startNode(TXMLNode::Kind kind, QByteArray name)
{
    // Room first, so that the node is never left out of the list.
    m_pendingChildren.push_back(nullptr);
    TXMLNode* node = TXMLNode::makeInArena(*m_arena, kind, std::move(name));
    m_pendingChildren.back() = node;
    return node;
}

void TXMLStringReader::adoptChildren(TXMLNode& node, size_t first)
{
    const size_t count = m_pendingChildren.size() - first;
    if (count > 0) {
        node.adoptChildren(m_pendingChildren.data() + first, static_cast<int>(count));
        m_pendingChildren.resize(first);
    }
}

// ---- reading primitives ----

void TXMLStringReader::jumpTo(int index)
{
    m_state.position = index;
    readChar();
}

bool TXMLStringReader::lookingAt(const char* literal, int length) const
{
    const int start = m_state.position - 1;
    if (atEnd() || start + length > m_size || current() != literal[0]) {
        return false;
    }
    const char* text = m_bytes + start;
    for (int i = 1; i < length; ++i) {
        if (text[i] != literal[i]) {
            return false;
        }
    }
    return true;
}

bool TXMLStringReader::skipWhiteSpace()
{
    if (atEnd() || !isWhiteSpace(current())) {
        return false;
    }
    const char* text = m_bytes;
    int end = m_state.position;
    while (end < m_size && isWhiteSpace(text[end])) {
        ++end;
    }
    jumpTo(end);
    return true;
}

QByteArray TXMLStringReader::readName()
{
    const std::string_view name = readNameInPlace();
    if (name.empty()) {
        return QByteArray();
    }
    return recentNames.share(name);
}

std::string_view TXMLStringReader::readNameInPlace()
{
    if (atEnd() || !isNameStart(current())) {
        return std::string_view();
    }
    const int start = m_state.position - 1;
    const char* text = m_bytes;
    int end = start + 1;
    while (end < m_size && isNameChar(text[end])) {
        ++end;
    }
    jumpTo(end);
    return std::string_view(text + start, static_cast<size_t>(end - start));
}

int TXMLStringReader::find(const char* literal) const
{
    if (atEnd()) {
        return -1;
    }
    const std::string_view text(m_bytes, static_cast<size_t>(m_size));
    const size_t found = text.find(literal, static_cast<size_t>(m_state.position - 1));
    return found == std::string_view::npos ? -1 : static_cast<int>(found);
}

void TXMLStringReader::fail(const QString& message) const
{
    throw CoreError(message);
}

// ---- grammar ----

void TXMLStringReader::parseXmlDeclaration()
{
    skipLiteral("<?xml");
    TXMLNode* declaration = startNode(TXMLNode::XmlDeclaration, QByteArrayLiteral("xml"));
    const size_t attributes = m_pendingChildren.size();
    for (;;) {
        const bool separated = skipWhiteSpace();
        if (lookingAt("?>")) {
            skipLiteral("?>");
            adoptChildren(*declaration, attributes);
            return;
        }
        if (atEnd() || !separated || !isNameStart(current())) {
            fail(QStringLiteral("XML declaration not terminated with \"?>\""));
        }
        parseAttribute();
    }
}

void TXMLStringReader::parseMisc(bool inTree, bool inProlog)
{
    for (;;) {
        skipWhiteSpace();
        if (lookingAt("<!--")) {
            parseComment();
        } else if (lookingAt("<?")) {
            parseProcessingInstruction(inTree);
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
    if (end > start && m_bytes[end - 1] == '-') {
        fail(QStringLiteral("Comments cannot end in \"--->\""));
    }
    jumpTo(end + 3);
}

void TXMLStringReader::parseProcessingInstruction(bool inTree)
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
    if (inTree) {
        startNode(TXMLNode::ProcessingInstruction, name)->setText(m_text.mid(start, end - start));
    }
    jumpTo(end + 2);
}

void TXMLStringReader::parseElement(int depth)
{
    if (depth > kMaxDepth) {
        fail(QStringLiteral("Elements nested too deeply"));
    }
    readChar(); // "<"
    TXMLNode* element = startNode(TXMLNode::Element, readName());
    const size_t children = m_pendingChildren.size();
    parseStartTagRest(*element, depth);
    adoptChildren(*element, children);
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
        parseAttribute();
    }
}

void TXMLStringReader::parseAttribute()
{
    QByteArray name = readName();
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
        const char* text = m_bytes;
        const int size = m_size;
        const int start = m_state.position - 1;
        int end = start;
        while (end < size && text[end] != quote && text[end] != '<' && text[end] != '&') {
            ++end;
        }
        if (value.isEmpty() && end < size && text[end] == quote) {
            // The whole value in one piece, as most are.
            value = recentTexts.share(text + start, end - start);
        } else if (value.isEmpty()) {
            value = QByteArray(m_bytes + start, end - start);
        } else {
            value.append(m_bytes + start, end - start);
        }
        jumpTo(end);
    }
    startNode(TXMLNode::Attribute, std::move(name))->setText(std::move(value));
}

void TXMLStringReader::parseContent(TXMLNode& element, int depth)
{
    // The element's text is gathered on a stack shared with the elements inside it and
    // stored in one piece at its end tag.
    const size_t textStart = m_pendingText.size();
    for (;;) {
        if (atEnd()) {
            fail(QStringLiteral("No ending tag for ") + element.name());
        }
        if (current() == '&') {
            m_pendingText.push_back(parseReference('\0'));
            continue;
        }
        if (current() != '<') {
            parseCharacterData();
            continue;
        }
        // At "<": the byte after it tells what follows.
        const char next = m_state.position < m_size ? m_bytes[m_state.position] : '\0';
        if (next == '/') {
            if (m_pendingText.size() > textStart) {
                element.setText(
                    recentTexts.share(m_pendingText.data() + textStart,
                                      static_cast<int>(m_pendingText.size() - textStart)));
                m_pendingText.resize(textStart);
            }
            return;
        } else if (isNameStart(next)) {
            parseElement(depth + 1);
        } else if (lookingAt("<![CDATA[")) {
            parseCData();
        } else if (lookingAt("<!--")) {
            parseComment();
        } else if (next == '?') {
            parseProcessingInstruction(true);
        } else {
            fail(QStringLiteral("Tag not terminated properly"));
        }
    }
}

void TXMLStringReader::parseCData()
{
    skipLiteral("<![CDATA[");
    const int start = m_state.position - 1;
    const int end = find("]]>");
    if (end < 0) {
        fail(QStringLiteral("Unexpected end of data"));
    }
    keepText(start, end);
    jumpTo(end + 3);
}

void TXMLStringReader::parseCharacterData()
{
    const char* text = m_bytes;
    const int size = m_size;
    const int start = m_state.position - 1;
    int end = start;
    bool bracket = false;
    for (; end < size && !kTextStops[static_cast<quint8>(text[end])]; ++end) {
        bracket |= text[end] == ']';
    }
    const char* data = text + start;
    static const char kCDataEnd[] = "]]>";
    if (bracket &&
        std::search(data, data + (end - start), kCDataEnd, kCDataEnd + 3) != data + (end - start)) {
        fail(QStringLiteral("Character data cannot contain \"]]>\""));
    }
    keepText(start, end);
    jumpTo(end);
}

void TXMLStringReader::keepText(int start, int end)
{
    const char* text = m_bytes;
    m_pendingText.insert(m_pendingText.end(), text + start, text + end);
}

void TXMLStringReader::parseEndTag(const TXMLNode& element)
{
    skipLiteral("</");
    const QByteArray& started = element.nameBytes();
    // Most end tags name their element: compare in place instead of reading the name first.
    const int start = m_state.position - 1;
    const int end = start + started.size();
    if (!atEnd() && end <= m_size && (end == m_size || !isNameChar(m_bytes[end])) &&
        std::memcmp(m_bytes + start, started.constData(), static_cast<size_t>(started.size())) ==
            0) {
        jumpTo(end);
    } else if (const std::string_view name = readNameInPlace();
               name != std::string_view(started.constData(), static_cast<size_t>(started.size()))) {
        fail(QStringLiteral("End tag name ") +
             quoted(QByteArray(name.data(), static_cast<int>(name.size()))) +
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
    const int start = m_state.position;
    int end = start;
    const int size = m_size;
    const char* text = m_bytes;
    while (end < size && text[end] != ';' && text[end] != '<' &&
           (quote == '\0' || text[end] != quote)) {
        ++end;
    }
    const std::string_view name(text + start, static_cast<size_t>(end - start));
    jumpTo(end < size && text[end] == ';' ? end + 1 : end);
    auto nameText = [&name] {
        return Gbk::decode(QByteArray(name.data(), static_cast<int>(name.size())));
    };
    if (!name.empty() && name.front() == '#') {
        const bool hex = name.size() > 1 && name[1] == 'x';
        const int value = numericReferenceByte(name.substr(hex ? 2 : 1), hex ? 16 : 10);
        if (value < 0) {
            fail(QStringLiteral("Invalid integer in reference &") + nameText() + QLatin1Char(';'));
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
    fail(QStringLiteral("Unrecognized reference(&") + nameText() + QLatin1Char(')'));
}
