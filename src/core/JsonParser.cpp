#include "core/JsonParser.h"

#include "core/CoreLog.h"
#include "core/HexDigits.h"
#include "core/JsonArena.h"
#include "core/TextTrim.h"

#include <charconv>

namespace {

bool isDigit(ushort c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::unique_ptr<JsonNode> ParseJson(const QString& text)
{
    if (text.isEmpty()) {
        return nullptr;
    }
    return JsonParser(text).parseDocument();
}

JsonParser::JsonParser(const QString& text)
    : m_arena(std::make_unique<JsonArena>(text)), m_text(m_arena->source().constData()),
      m_length(text.size())
{}

JsonParser::~JsonParser() = default;

std::unique_ptr<JsonNode> JsonParser::parseDocument()
{
    try {
        const JsonNode* value = readValue(0);
        if (!value) {
            invalid("no value");
        }
        auto root = std::make_unique<JsonNode>();
        root->adopt(*value, std::move(m_arena));
        return root;
    } catch (const Invalid& rejected) {
        qCWarning(lcCore) << "JSON text rejected:" << rejected.reason << "at offset" << m_position;
        return nullptr;
    }
}

bool JsonParser::lookingAt(QLatin1String literal) const
{
    const int length = literal.size();
    if (m_length - m_position < length) {
        return false;
    }
    for (int i = 0; i < length; ++i) {
        if (m_text[m_position + i] != QLatin1Char(literal[i])) {
            return false;
        }
    }
    return true;
}

JsonNode* JsonParser::readValue(int depth)
{
    skipLowChars();
    switch (peek()) {
    case '"':
        return readString();
    case '[':
        return readList(depth);
    case '{':
        return readObject(depth);
    case 't':
    case 'f':
    case 'n':
        return readLiteral();
    default:
        return readNumber();
    }
}

JsonNode* JsonParser::readLiteral()
{
    JsonNode* node = nullptr;
    if (lookingAt(QLatin1String("true"))) {
        m_position += 4;
        node = m_arena->makeNode(JsonNode::Kind::Boolean);
        node->m_boolean = true;
    } else if (lookingAt(QLatin1String("false"))) {
        m_position += 5;
        node = m_arena->makeNode(JsonNode::Kind::Boolean);
    } else if (lookingAt(QLatin1String("null"))) {
        m_position += 4;
        node = m_arena->makeNode(JsonNode::Kind::Null);
    }
    return node;
}

JsonNode* JsonParser::readNumber()
{
    int end = m_position;
    auto at = [&](int index) { return index < m_length ? m_text[index].unicode() : ushort(0); };
    auto skipDigits = [&](int index) {
        while (isDigit(at(index))) {
            ++index;
        }
        return index;
    };
    const bool plus = at(end) == '+';
    if (at(end) == '+' || at(end) == '-') {
        ++end;
    }
    if (!isDigit(at(end))) {
        return nullptr;
    }
    end = skipDigits(end);
    if (at(end) == '.' && isDigit(at(end + 1))) {
        end = skipDigits(end + 1);
    }
    if (at(end) == 'e' || at(end) == 'E') {
        int exponent = end + 1;
        if (at(exponent) == '+' || at(exponent) == '-') {
            ++exponent;
        }
        if (isDigit(at(exponent))) {
            end = skipDigits(exponent);
        }
    }
    // std::from_chars reads "." whatever the locale, but takes no "+" sign.
    const int start = m_position + (plus ? 1 : 0);
    std::string ascii(static_cast<size_t>(end - start), '\0');
    for (int i = start; i < end; ++i) {
        ascii[static_cast<size_t>(i - start)] = static_cast<char>(m_text[i].unicode());
    }
    long double number = 0;
    const char* last = ascii.data() + ascii.size();
    const auto result = std::from_chars(ascii.data(), last, number);
    if (result.ec != std::errc() || result.ptr != last) {
        invalid("unreadable number");
    }
    m_position = end;
    JsonNode* node = m_arena->makeNode(JsonNode::Kind::Number);
    node->m_payload.number = number;
    return node;
}

JsonNode* JsonParser::readString()
{
    QStringView text;
    if (!readStringText(&text)) {
        return nullptr;
    }
    JsonNode* node = m_arena->makeNode(JsonNode::Kind::String);
    node->setText(text.data(), static_cast<int>(text.size()));
    return node;
}

bool JsonParser::readStringText(QStringView* text)
{
    if (peek() != '"') {
        return false;
    }
    const int start = ++m_position;
    while (m_position < m_length && m_text[m_position] != QLatin1Char('"') &&
           m_text[m_position] != QLatin1Char('\\')) {
        ++m_position;
    }
    if (atEnd()) {
        invalid("unterminated string");
    }
    if (m_text[m_position] == QLatin1Char('"')) {
        // No escapes: the text is read in place.
        *text = TrimLowChars(QStringView(m_text + start, m_position - start));
        ++m_position;
        return true;
    }
    QString decoded(m_text + start, m_position - start);
    for (;;) {
        if (m_text[m_position++] == QLatin1Char('"')) {
            break;
        }
        readEscape(decoded);
        const int runStart = m_position;
        while (m_position < m_length && m_text[m_position] != QLatin1Char('"') &&
               m_text[m_position] != QLatin1Char('\\')) {
            ++m_position;
        }
        decoded.append(m_text + runStart, m_position - runStart);
        if (atEnd()) {
            invalid("unterminated string");
        }
    }
    const QStringView trimmed = TrimLowChars(QStringView(decoded));
    *text = QStringView(m_arena->keepText(trimmed.toString()));
    return true;
}

void JsonParser::readEscape(QString& text)
{
    if (atEnd()) {
        invalid("unterminated string");
    }
    const ushort c = m_text[m_position++].unicode();
    switch (c) {
    case '"':
    case '\\':
    case '/':
        text.append(QChar(c));
        break;
    case 'b':
        text.append(QChar('\b'));
        break;
    case 'f':
        text.append(QChar('\f'));
        break;
    case 'n':
        text.append(QChar('\n'));
        break;
    case 'r':
        text.append(QChar('\r'));
        break;
    case 't':
        text.append(QChar('\t'));
        break;
    case 'u': {
        ushort unit = 0;
        for (int i = 0; i < 4; ++i) {
            const int digit = HexDigitValue(peek());
            if (digit < 0) {
                invalid("bad \\u escape");
            }
            unit = static_cast<ushort>(unit * 16 + digit);
            ++m_position;
        }
        text.append(QChar(unit));
        break;
    }
    default:
        break; // an unknown escape contributes nothing
    }
}

void JsonParser::takeChildren(JsonNode& parent, size_t childrenStart)
{
    const int count = static_cast<int>(m_pending.size() - childrenStart);
    parent.setChildren(m_arena->copyPointers(m_pending.data() + childrenStart, count), count);
    m_pending.resize(childrenStart);
}

JsonNode* JsonParser::readList(int depth)
{
    if (depth >= kMaxDepth) {
        invalid("nested too deeply");
    }
    ++m_position;
    const size_t childrenStart = m_pending.size();
    while (const JsonNode* element = readValue(depth + 1)) {
        m_pending.push_back(element);
        skipLowChars();
        if (peek() == ',') {
            ++m_position;
        }
    }
    skipLowChars();
    if (peek() != ']') {
        invalid("list not closed");
    }
    ++m_position;
    JsonNode* list = m_arena->makeNode(JsonNode::Kind::List);
    takeChildren(*list, childrenStart);
    return list;
}

JsonNode* JsonParser::readObject(int depth)
{
    if (depth >= kMaxDepth) {
        invalid("nested too deeply");
    }
    ++m_position;
    const size_t childrenStart = m_pending.size();
    while (readField(depth + 1)) {
        skipLowChars();
        if (peek() == ',') {
            ++m_position;
        }
    }
    skipLowChars();
    if (peek() != '}') {
        invalid("object not closed");
    }
    ++m_position;
    JsonNode* object = m_arena->makeNode(JsonNode::Kind::Object);
    takeChildren(*object, childrenStart);
    object->indexFields(*m_arena);
    return object;
}

bool JsonParser::readField(int depth)
{
    skipLowChars();
    QStringView name;
    if (!readStringText(&name)) {
        return false;
    }
    const QString* storedName = m_arena->internName(name);
    skipLowChars();
    if (peek() != ':') {
        invalid("no colon after a field name");
    }
    ++m_position;
    JsonNode* value = readValue(depth);
    if (!value) {
        invalid("field without a value");
    }
    value->setName(storedName);
    m_pending.push_back(value);
    return true;
}
