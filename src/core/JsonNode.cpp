#include "core/JsonNode.h"

#include "core/JsonValue.h"

#include <algorithm>

QString JsonNode::typeTag(Kind kind)
{
    switch (kind) {
    case Kind::Base:
        return QStringLiteral("jsBase");
    case Kind::Number:
        return QStringLiteral("jsNumber");
    case Kind::String:
        return QStringLiteral("jsString");
    case Kind::Boolean:
        return QStringLiteral("jsBoolean");
    case Kind::Null:
        return QStringLiteral("jsNull");
    case Kind::List:
        return QStringLiteral("jsList");
    case Kind::Object:
        return QStringLiteral("jsObject");
    }
    return QStringLiteral("jsBase");
}

JsonNode::JsonNode(Kind kind) : m_kind(kind) {}

JsonNode::~JsonNode() = default;

std::unique_ptr<JsonNode> JsonNode::makeNumber(long double number)
{
    auto node = std::make_unique<JsonNode>(Kind::Number);
    node->m_number = number;
    return node;
}

std::unique_ptr<JsonNode> JsonNode::makeString(const QString& text)
{
    auto node = std::make_unique<JsonNode>(Kind::String);
    node->m_string = text;
    return node;
}

std::unique_ptr<JsonNode> JsonNode::makeBoolean(bool value)
{
    auto node = std::make_unique<JsonNode>(Kind::Boolean);
    node->m_boolean = value;
    return node;
}

int JsonNode::count() const
{
    if (m_kind == Kind::List) {
        return static_cast<int>(m_elements.size());
    }
    if (m_kind == Kind::Object) {
        return static_cast<int>(m_fields.size());
    }
    return 0;
}

const JsonNode* JsonNode::child(int position) const
{
    if (position < 0 || position >= count()) {
        return nullptr;
    }
    const auto index = static_cast<size_t>(position);
    return m_kind == Kind::List ? m_elements[index].get() : m_fields[index].value.get();
}

QString JsonNode::fieldName(int position) const
{
    if (m_kind != Kind::Object || position < 0 || position >= count()) {
        return QString();
    }
    return m_fields[static_cast<size_t>(position)].name;
}

std::vector<int>::const_iterator JsonNode::nameLowerBound(const QString& name) const
{
    return std::lower_bound(m_nameOrder.begin(), m_nameOrder.end(), name,
                            [this](int position, const QString& wanted) {
                                return m_fields[static_cast<size_t>(position)].name < wanted;
                            });
}

const JsonNode* JsonNode::field(const QString& name) const
{
    const auto found = nameLowerBound(name);
    if (found == m_nameOrder.end() || m_fields[static_cast<size_t>(*found)].name != name) {
        return nullptr;
    }
    return m_fields[static_cast<size_t>(*found)].value.get();
}

const JsonNode* JsonNode::fieldByPosition(int position) const
{
    if (m_kind != Kind::Object || position < 0 || position >= count()) {
        return nullptr;
    }
    return field(m_fields[static_cast<size_t>(position)].name);
}

QVariant JsonNode::value() const
{
    switch (m_kind) {
    case Kind::Number:
        return QVariant(static_cast<double>(m_number));
    case Kind::String:
        return QVariant(m_string);
    case Kind::Boolean:
        return QVariant(m_boolean);
    default:
        return QVariant();
    }
}

QString JsonNode::toText() const
{
    return JsonValueToText(value());
}

qint64 JsonNode::toInteger(bool* ok) const
{
    return JsonValueToInteger(value(), ok);
}

qint64 JsonNode::intAt(int position) const
{
    const JsonNode* node = child(position);
    if (!node || node->m_kind != Kind::Number) {
        return 0;
    }
    return JsonValueToInteger(node->value());
}

double JsonNode::doubleAt(int position) const
{
    const JsonNode* node = child(position);
    return node && node->m_kind == Kind::Number ? static_cast<double>(node->m_number) : 0.0;
}

QString JsonNode::textAt(int position) const
{
    const JsonNode* node = child(position);
    return node && node->m_kind == Kind::String ? node->m_string : QString();
}

bool JsonNode::booleanAt(int position) const
{
    const JsonNode* node = child(position);
    return node && node->m_kind == Kind::Boolean && node->m_boolean;
}

void JsonNode::append(std::unique_ptr<JsonNode> element)
{
    m_elements.push_back(std::move(element));
}

void JsonNode::addField(const QString& name, std::unique_ptr<JsonNode> value)
{
    const auto found = nameLowerBound(name);
    const bool known =
        found != m_nameOrder.end() && m_fields[static_cast<size_t>(*found)].name == name;
    if (!known) {
        m_nameOrder.insert(found, static_cast<int>(m_fields.size()));
    }
    m_fields.push_back(Field{name, std::move(value)});
}

void JsonNode::appendFieldUnindexed(const QString& name, std::unique_ptr<JsonNode> value)
{
    if (m_fields.empty()) {
        m_fields.reserve(4);
    }
    m_fields.push_back(Field{name, std::move(value)});
}

void JsonNode::indexFields()
{
    m_nameOrder.resize(m_fields.size());
    for (size_t i = 0; i < m_fields.size(); ++i) {
        m_nameOrder[i] = static_cast<int>(i);
    }
    auto nameOf = [this](int position) -> const QString& {
        return m_fields[static_cast<size_t>(position)].name;
    };
    // Stable, so that among equal names the first position comes first and is kept.
    std::stable_sort(m_nameOrder.begin(), m_nameOrder.end(),
                     [&](int a, int b) { return nameOf(a) < nameOf(b); });
    m_nameOrder.erase(std::unique(m_nameOrder.begin(), m_nameOrder.end(),
                                  [&](int a, int b) { return nameOf(a) == nameOf(b); }),
                      m_nameOrder.end());
}
