#pragma once

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

class JsonArena;

// One node of a parsed JSON document (read only). A parent owns its children; releasing the
// root releases the whole tree. Lookups return nullptr when there is nothing at that place.
class JsonNode
{
public:
    enum class Kind
    {
        Base,
        Number,
        String,
        Boolean,
        Null,
        List,
        Object
    };

    // "jsBase", "jsNumber", "jsString", "jsBoolean", "jsNull", "jsList", "jsObject".
    static QString typeTag(Kind kind);

    explicit JsonNode(Kind kind = Kind::Base);
    static std::unique_ptr<JsonNode> makeNumber(long double number);
    static std::unique_ptr<JsonNode> makeString(const QString& text);
    static std::unique_ptr<JsonNode> makeBoolean(bool value);
    ~JsonNode();
    JsonNode(const JsonNode&) = delete;
    JsonNode& operator=(const JsonNode&) = delete;

    Kind kind() const { return m_kind; }
    QString typeTag() const { return typeTag(m_kind); }
    bool isList() const { return m_kind == Kind::List; }
    bool isObject() const { return m_kind == Kind::Object; }

    long double number() const { return m_kind == Kind::Number ? m_payload.number : 0; }
    QString string() const;
    bool boolean() const { return m_boolean; }

    // Elements of a list or fields of an object; 0 for leaves.
    int count() const { return m_count; }
    // Element of a list, or value of the field at position of an object.
    const JsonNode* child(int position) const;
    // Name of the field at position of an object; empty otherwise.
    QString fieldName(int position) const;
    // Value of the first field named exactly name (case-sensitive).
    const JsonNode* field(const QString& name) const;
    // field(fieldName(position)): for a duplicated name this is the first field's value.
    const JsonNode* fieldByPosition(int position) const;

    // Number as double, string as QString, boolean as bool; null, base, list and object give
    // an invalid (empty) QVariant.
    QVariant value() const;
    // JsonValueToText / JsonValueToInteger of value().
    QString toText() const;
    qint64 toInteger(bool* ok = nullptr) const;

    // Typed reads of a child: 0, empty text or false when it is missing or of another kind.
    qint64 intAt(int position) const;
    double doubleAt(int position) const;
    QString textAt(int position) const;
    bool booleanAt(int position) const;

    // Building by hand.
    void append(std::unique_ptr<JsonNode> element);
    // Adds a field; a lookup by a repeated name finds the first one.
    void addField(const QString& name, std::unique_ptr<JsonNode> value);

private:
    friend class JsonParser;
    friend class JsonArena;

    // What a node owns: the arena of a parsed document (its root), or what was built by hand.
    struct Owned;

    // Objects with more fields than this get a name index when they are complete.
    static constexpr int kLinearLookupFields = 8;

    // Parsed nodes: the parser hands over the pieces the arena holds.
    void setText(const QChar* chars, int length);
    void setChildren(const JsonNode* const* children, int count);
    void setName(const QString* name) { m_name = name; }
    // Sorts field positions by name, one per distinct name, the first of a repeated one.
    void indexFields(JsonArena& arena);
    // Takes over what other refers to; the root of a parsed document also owns its arena.
    void adopt(const JsonNode& other, std::unique_ptr<JsonArena> arena);
    Owned& owned();
    const QString& nameAt(int position) const;
    const JsonNode* const* children() const { return m_payload.nested.children; }

    // A node is kept small: a document of rows holds hundreds of thousands of them. Which
    // member of the payload is in use follows from the kind.
    struct Text
    {
        const QChar* chars; // in the source of its document, or a text the arena or node keeps
    };
    struct Nested
    {
        const JsonNode* const* children;
        // Field positions ordered by name (UTF-16 code units), for large parsed objects.
        const int* nameOrder;
    };
    union Payload {
        long double number;
        Text text;
        Nested nested;
    };

    Kind m_kind;
    bool m_boolean = false;
    int m_count = 0;
    int m_length = 0;
    int m_distinctNames = 0;
    // The field name under which the parent object holds this node.
    const QString* m_name = nullptr;
    Payload m_payload;
    std::unique_ptr<Owned> m_owned;
};

// Parses a JSON text. Tolerant: strings are trimmed of characters with code 32 or less, commas
// between elements are optional, a trailing comma and a leading "+" are accepted, text after
// the first value is ignored. Gives nullptr for an empty or invalid text; never throws.
std::unique_ptr<JsonNode> ParseJson(const QString& text);
