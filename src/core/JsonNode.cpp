#include "core/JsonNode.h"

#include "core/JsonArena.h"
#include "core/JsonValue.h"

#include <algorithm>
#include <deque>

struct JsonNode::Owned
{
    std::unique_ptr<JsonArena> arena;
    QString text;
    std::vector<std::unique_ptr<JsonNode>> owned;
    std::vector<const JsonNode*> children;
    std::deque<QString> names;
};

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

JsonNode::JsonNode(Kind kind) : m_kind(kind)
{
    m_payload.nested = Nested{nullptr, nullptr};
    if (kind == Kind::Number) {
        m_payload.number = 0;
    }
}

JsonNode::~JsonNode() = default;

std::unique_ptr<JsonNode> JsonNode::makeNumber(long double number)
{
    auto node = std::make_unique<JsonNode>(Kind::Number);
    node->m_payload.number = number;
    return node;
}

std::unique_ptr<JsonNode> JsonNode::makeString(const QString& text)
{
    auto node = std::make_unique<JsonNode>(Kind::String);
    node->owned().text = text;
    node->setText(node->m_owned->text.constData(), text.size());
    return node;
}

std::unique_ptr<JsonNode> JsonNode::makeBoolean(bool value)
{
    auto node = std::make_unique<JsonNode>(Kind::Boolean);
    node->m_boolean = value;
    return node;
}

QString JsonNode::string() const
{
    return m_kind == Kind::String && m_length > 0 ? QString(m_payload.text.chars, m_length)
                                                  : QString();
}

const JsonNode* JsonNode::child(int position) const
{
    if (position < 0 || position >= m_count) {
        return nullptr;
    }
    return children()[position];
}

const QString& JsonNode::nameAt(int position) const
{
    return *children()[position]->m_name;
}

QString JsonNode::fieldName(int position) const
{
    if (m_kind != Kind::Object || position < 0 || position >= m_count) {
        return QString();
    }
    return nameAt(position);
}

const JsonNode* JsonNode::field(const QString& name) const
{
    if (m_kind != Kind::Object) {
        return nullptr;
    }
    const int* nameOrder = m_payload.nested.nameOrder;
    if (!nameOrder) {
        for (int i = 0; i < m_count; ++i) {
            if (nameAt(i) == name) {
                return children()[i];
            }
        }
        return nullptr;
    }
    const int* end = nameOrder + m_distinctNames;
    const int* found =
        std::lower_bound(nameOrder, end, name, [this](int position, const QString& wanted) {
            return nameAt(position) < wanted;
        });
    if (found == end || nameAt(*found) != name) {
        return nullptr;
    }
    return children()[*found];
}

const JsonNode* JsonNode::fieldByPosition(int position) const
{
    if (m_kind != Kind::Object || position < 0 || position >= m_count) {
        return nullptr;
    }
    return field(nameAt(position));
}

QVariant JsonNode::value() const
{
    switch (m_kind) {
    case Kind::Number:
        return QVariant(static_cast<double>(m_payload.number));
    case Kind::String:
        return QVariant(string());
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
    return node && node->m_kind == Kind::Number ? static_cast<double>(node->m_payload.number) : 0.0;
}

QString JsonNode::textAt(int position) const
{
    const JsonNode* node = child(position);
    return node && node->m_kind == Kind::String ? node->string() : QString();
}

bool JsonNode::booleanAt(int position) const
{
    const JsonNode* node = child(position);
    return node && node->m_kind == Kind::Boolean && node->m_boolean;
}

JsonNode::Owned& JsonNode::owned()
{
    if (!m_owned) {
        m_owned = std::make_unique<Owned>();
    }
    return *m_owned;
}

void JsonNode::append(std::unique_ptr<JsonNode> element)
{
    Owned& own = owned();
    own.children.push_back(element.get());
    own.owned.push_back(std::move(element));
    setChildren(own.children.data(), static_cast<int>(own.children.size()));
}

void JsonNode::addField(const QString& name, std::unique_ptr<JsonNode> value)
{
    Owned& own = owned();
    own.names.push_back(name);
    value->setName(&own.names.back());
    append(std::move(value));
}

void JsonNode::setText(const QChar* chars, int length)
{
    m_payload.text = Text{chars};
    m_length = length;
}

void JsonNode::setChildren(const JsonNode* const* children, int count)
{
    m_payload.nested.children = children;
    m_count = count;
}

void JsonNode::indexFields(JsonArena& arena)
{
    if (m_count <= kLinearLookupFields) {
        return;
    }
    int* order = arena.makeInts(m_count);
    for (int i = 0; i < m_count; ++i) {
        order[i] = i;
    }
    // Stable, so that among equal names the first position comes first and is kept.
    std::stable_sort(order, order + m_count,
                     [this](int a, int b) { return nameAt(a) < nameAt(b); });
    const int* end = std::unique(order, order + m_count,
                                 [this](int a, int b) { return nameAt(a) == nameAt(b); });
    m_payload.nested.nameOrder = order;
    m_distinctNames = static_cast<int>(end - order);
}

void JsonNode::adopt(const JsonNode& other, std::unique_ptr<JsonArena> arena)
{
    m_kind = other.m_kind;
    m_boolean = other.m_boolean;
    m_count = other.m_count;
    m_length = other.m_length;
    m_distinctNames = other.m_distinctNames;
    m_payload = other.m_payload;
    owned().arena = std::move(arena);
}
