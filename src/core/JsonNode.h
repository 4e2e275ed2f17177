#pragma once

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

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

    long double number() const { return m_number; }
    const QString& string() const { return m_string; }
    bool boolean() const { return m_boolean; }

    // Elements of a list or fields of an object; 0 for leaves.
    int count() const;
    // Element of a list, or value of the field at position of an object.
    const JsonNode* child(int position) const;
    // Name of the field at position of an object; empty otherwise.
    QString fieldName(int position) const;
    // Value of the first field named exactly name (case-sensitive), through the name index.
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
    // Adds a field; the name index keeps the first position of a repeated name.
    void addField(const QString& name, std::unique_ptr<JsonNode> value);

private:
    friend class JsonParser;

    // The parser appends all fields first and then indexes them in one sort.
    void appendFieldUnindexed(const QString& name, std::unique_ptr<JsonNode> value);
    void indexFields();
    // Position in m_nameOrder where name is or would be.
    std::vector<int>::const_iterator nameLowerBound(const QString& name) const;

    struct Field
    {
        QString name;
        std::unique_ptr<JsonNode> value;
    };

    Kind m_kind;
    long double m_number = 0;
    QString m_string;
    bool m_boolean = false;
    std::vector<std::unique_ptr<JsonNode>> m_elements;
    std::vector<Field> m_fields;
    // Name index: field positions ordered by name (UTF-16 code units), one per distinct name,
    // the first position of a repeated name.
    std::vector<int> m_nameOrder;
};

// Parses a JSON text. Tolerant: strings are trimmed of characters with code 32 or less, commas
// between elements are optional, a trailing comma and a leading "+" are accepted, text after
// the first value is ignored. Gives nullptr for an empty or invalid text; never throws.
std::unique_ptr<JsonNode> ParseJson(const QString& text);
