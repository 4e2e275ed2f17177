#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class TXMLNodeArena;
class TXMLStringReader;

// One node of an XML tree read by TXMLStringReader. Names and texts are GBK bytes as they
// stood in the document (references replaced); the QString accessors decode them.
// A node owns its children; the pointers it hands out stay valid while it lives. The nodes of
// a document read by TXMLStringReader share one TXMLNodeArena; a child removed from such a tree
// keeps the arena alive until it is destroyed.
class TXMLNode
{
public:
    enum Kind
    {
        Document = 0,
        Element = 1,
        Attribute = 2,
        ProcessingInstruction = 3,
        XmlDeclaration = 4,
    };

    explicit TXMLNode(Kind kind = Document, QByteArray name = QByteArray());
    ~TXMLNode();
    TXMLNode(const TXMLNode&) = delete;
    TXMLNode& operator=(const TXMLNode&) = delete;

    // A document read by TXMLStringReader lives in an arena: deleting it hands the memory
    // back there instead of to the heap.
    static void* operator new(size_t size);
    static void operator delete(void* node);

    Kind kind() const { return m_kind; }
    const QByteArray& nameBytes() const { return m_name; }
    QString name() const;
    void setName(const QByteArray& name) { m_name = name; }

    // Element: its direct character data; attribute: its value; processing instruction:
    // everything after its name.
    const QByteArray& textBytes() const { return m_text; }
    QString text() const;
    void setText(QByteArray text) { m_text = std::move(text); }
    void appendText(const QByteArray& text) { m_text.append(text); }
    void appendText(char byte) { m_text.append(byte); }
    void appendText(const char* bytes, int length) { m_text.append(bytes, length); }

    int childCount() const { return m_childCount; }
    // nullptr when index is out of range.
    TXMLNode* child(int index) const;
    // The occurrence-th child (from 0) whose name equals name byte for byte, or nullptr.
    TXMLNode* findChild(const QString& name, int occurrence = 0) const;
    TXMLNode* findChildBytes(const QByteArray& name, int occurrence = 0) const;

    TXMLNode* addChild(std::unique_ptr<TXMLNode> node);
    TXMLNode* addChild(Kind kind, QByteArray name);
    // Detaches child and hands it over; nullptr when it is not a child of this node.
    std::unique_ptr<TXMLNode> removeChild(const TXMLNode* child);

    // Backslash path relative to this node, e.g. "\ClientConfig\login\username". The first
    // name match of any kind is taken at each step. A path without a backslash, or whose first
    // part is not found, gives nullptr; when a later part is missing the deepest node found is
    // returned.
    TXMLNode* findPath(const QString& path) const;
    TXMLNode* findPathBytes(const QByteArray& path) const;

    // The text read as a decimal integer ("$" prefix: hexadecimal). Throws CoreError
    // "Node \"<name>\" does not contain a valid integer".
    int integerValue() const;

    // Text of the node at path, or the empty text when the path gives no node.
    QString pathText(const QString& path) const;

private:
    friend class TXMLStringReader;

    // A node placed in arena; it is destroyed with the tree it joins.
    static TXMLNode* makeInArena(TXMLNodeArena& arena, Kind kind, QByteArray name);
    // The document of a new arena: it holds the arena's first reference.
    static std::unique_ptr<TXMLNode> makeDocument(TXMLNodeArena& arena);
    // Takes count complete children at once into a list of exactly that size in the arena.
    void adoptChildren(TXMLNode* const* children, int count);
    // Destroys a node that belongs to no tree (yet); its children go with it.
    static void destroy(TXMLNode* node);
    void releaseChildren();
    void freeChildList();

    Kind m_kind;
    int m_childCount = 0;
    QByteArray m_name;
    QByteArray m_text;
    TXMLNode** m_children = nullptr;
    TXMLNodeArena* m_arena = nullptr;
    // Slots of m_children on the heap; 0 while the list is in the arena (or there is none).
    int m_childCapacity = 0;
    // Set on a node of an arena that holds a reference on it: the document, and a subtree
    // removed from a tree of the arena. Such a node is released by delete; the others of the
    // arena only have their destructor run by their parent.
    bool m_arenaRoot = false;
};
