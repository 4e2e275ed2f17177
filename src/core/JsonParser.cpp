#include "core/JsonParser.h"

#include "core/CoreLog.h"
#include "core/HexDigits.h"
#include "core/TextTrim.h"

#include <charconv>
#include <cstring>
#include <string>

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

JsonParser::JsonParser(const QString& text) : m_text(text.constData()), m_length(text.size()) {}

std::unique_ptr<JsonNode> JsonParser::parseDocument()
{
    try {
        if (auto value = readValue(0)) {
            return value;
        }
        invalid("no value");
    } catch (const Invalid& rejected) {
        qCWarning(lcCore) << "JSON text rejected:" << rejected.reason << "at offset" << m_position;
        return nullptr;
    }
}

void JsonParser::skipLowChars()
{
    while (!atEnd() && m_text[m_position].unicode() <= 32) {
        ++m_position;
    }
}

ushort JsonParser::peek(int offset) const
{
    const int index = m_position + offset;
    return index < m_length ? m_text[index].unicode() : 0;
}

bool JsonParser::lookingAt(const char* literal) const
{
    const int length = static_cast<int>(std::strlen(literal));
    if (m_length - m_position < length) {
        return false;
    }
    for (int i = 0; i < length; ++i) {
        if (m_text[m_position + i].unicode() != static_cast<uchar>(literal[i])) {
            return false;
        }
    }
    return true;
}

std::unique_ptr<JsonNode> JsonParser::readValue(int depth)
{
    skipLowChars();
    if (auto literal = readLiteral()) {
        return literal;
    }
    if (auto number = readNumber()) {
        return number;
    }
    if (auto string = readString()) {
        return string;
    }
    if (auto list = readList(depth)) {
        return list;
    }
    return readObject(depth);
}

std::unique_ptr<JsonNode> JsonParser::readLiteral()
{
    if (lookingAt("true")) {
        m_position += 4;
        return JsonNode::makeBoolean(true);
    }
    if (lookingAt("false")) {
        m_position += 5;
        return JsonNode::makeBoolean(false);
    }
    if (lookingAt("null")) {
        m_position += 4;
        return std::make_unique<JsonNode>(JsonNode::Kind::Null);
    }
    return nullptr;
}

std::unique_ptr<JsonNode> JsonParser::readNumber()
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
    return JsonNode::makeNumber(number);
}

std::unique_ptr<JsonNode> JsonParser::readString()
{
    QString text;
    if (!readStringText(&text)) {
        return nullptr;
    }
    return JsonNode::makeString(text);
}

bool JsonParser::readStringText(QString* text)
{
    if (peek() != '"') {
        return false;
    }
    ++m_position;
    QString collected;
    for (;;) {
        // Copy the run up to the next quote or backslash in one piece.
        const int runStart = m_position;
        while (!atEnd() && m_text[m_position] != QLatin1Char('"') &&
               m_text[m_position] != QLatin1Char('\\')) {
            ++m_position;
        }
        collected.append(m_text + runStart, m_position - runStart);
        if (atEnd()) {
            invalid("unterminated string");
        }
        if (m_text[m_position++] == QLatin1Char('"')) {
            break;
        }
        readEscape(collected);
    }
    *text = TrimLowChars(collected);
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

std::unique_ptr<JsonNode> JsonParser::readList(int depth)
{
    if (peek() != '[') {
        return nullptr;
    }
    if (depth >= kMaxDepth) {
        invalid("nested too deeply");
    }
    ++m_position;
    auto list = std::make_unique<JsonNode>(JsonNode::Kind::List);
    while (auto element = readValue(depth + 1)) {
        list->append(std::move(element));
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
    return list;
}

std::unique_ptr<JsonNode> JsonParser::readObject(int depth)
{
    if (peek() != '{') {
        return nullptr;
    }
    if (depth >= kMaxDepth) {
        invalid("nested too deeply");
    }
    ++m_position;
    auto object = std::make_unique<JsonNode>(JsonNode::Kind::Object);
    while (readField(*object, depth + 1)) {
        skipLowChars();
        if (peek() == ',') {
            ++m_position;
        }
    }
    object->indexFields();
    skipLowChars();
    if (peek() != '}') {
        invalid("object not closed");
    }
    ++m_position;
    return object;
}

// A name without escapes that was met before is shared instead of copied again.
bool JsonParser::readFieldName(QString* name)
{
    if (peek() != '"') {
        return false;
    }
    int end = m_position + 1;
    while (end < m_length && m_text[end] != QLatin1Char('"') && m_text[end] != QLatin1Char('\\')) {
        ++end;
    }
    if (end < m_length && m_text[end] == QLatin1Char('"')) {
        const QStringView run(m_text + m_position + 1, end - m_position - 1);
        for (const QString& known : m_knownNames) {
            if (QStringView(known) == run) {
                *name = known;
                m_position = end + 1;
                return true;
            }
        }
    }
    if (!readStringText(name)) {
        return false;
    }
    if (m_knownNames.size() < 64) {
        m_knownNames.push_back(*name);
    }
    return true;
}

bool JsonParser::readField(JsonNode& object, int depth)
{
    skipLowChars();
    QString name;
    if (!readFieldName(&name)) {
        return false;
    }
    skipLowChars();
    if (peek() != ':') {
        invalid("no colon after a field name");
    }
    ++m_position;
    auto value = readValue(depth);
    if (!value) {
        invalid("field without a value");
    }
    object.appendFieldUnindexed(name, std::move(value));
    return true;
}
