#include "core/TXMLNode.h"

#include "core/CoreError.h"
#include "core/Gbk.h"
#include "core/TXMLNodeArena.h"

#include <QList>

#include <algorithm>
#include <climits>
#include <new>
#include <vector>

namespace {

// The arena node whose destructor has just run, for its operator delete: the arena may go with
// that node's reference, and the node's members are destroyed only after the destructor body.
struct DestroyedArenaRoot
{
    void* node = nullptr;
    TXMLNodeArena* arena = nullptr;
};
thread_local DestroyedArenaRoot destroyedArenaRoot;

constexpr int kFirstHeapChildSlots = 8;

} // namespace

void* TXMLNode::operator new(size_t size)
{
    return ::operator new(size);
}

void TXMLNode::operator delete(void* node)
{
    if (node && node == destroyedArenaRoot.node) {
        // The memory belongs to the arena.
        TXMLNodeArena* arena = destroyedArenaRoot.arena;
        destroyedArenaRoot = DestroyedArenaRoot();
        arena->release();
        return;
    }
    ::operator delete(node);
}

TXMLNode::TXMLNode(Kind kind, QByteArray name) : m_kind(kind), m_name(std::move(name)) {}

TXMLNode::~TXMLNode()
{
    releaseChildren();
    if (m_arenaRoot) {
        destroyedArenaRoot = DestroyedArenaRoot{this, m_arena};
    }
}

TXMLNode* TXMLNode::makeInArena(TXMLNodeArena& arena, Kind kind, QByteArray name)
{
    TXMLNode* node = ::new (arena.allocate(sizeof(TXMLNode))) TXMLNode(kind, std::move(name));
    node->m_arena = &arena;
    return node;
}

std::unique_ptr<TXMLNode> TXMLNode::makeDocument(TXMLNodeArena& arena)
{
    std::unique_ptr<TXMLNode> document(makeInArena(arena, Document, QByteArray()));
    document->m_arenaRoot = true;
    return document;
}

void TXMLNode::adoptChildren(TXMLNode* const* children, int count)
{
    if (count <= 0) {
        return;
    }
    auto* list = static_cast<TXMLNode**>(m_arena->allocate(sizeof(TXMLNode*) * count));
    std::copy(children, children + count, list);
    m_children = list;
    m_childCount = count;
    m_childCapacity = 0;
}

void TXMLNode::destroy(TXMLNode* node)
{
    if (node->m_arena && !node->m_arenaRoot) {
        node->~TXMLNode();
    } else {
        delete node;
    }
}

void TXMLNode::freeChildList()
{
    if (m_childCapacity > 0) {
        delete[] m_children;
    }
    m_children = nullptr;
    m_childCount = 0;
    m_childCapacity = 0;
}

// Subtrees are released from a work list rather than by recursion, so that even a very deep
// tree cannot exhaust the stack when it is destroyed. Leaves are released at once; a node
// joins the work list with its children and is destroyed once they are taken from it. A node
// holding a reference on an arena goes last: the arena may hold nodes still on the work list.
void TXMLNode::releaseChildren()
{
    if (m_childCount == 0) {
        freeChildList();
        return;
    }
    std::vector<TXMLNode*> pending;
    std::vector<TXMLNode*> arenaRoots;
    auto dispose = [&arenaRoots](TXMLNode* node) {
        if (node->m_arenaRoot) {
            arenaRoots.push_back(node);
        } else {
            destroy(node);
        }
    };
    auto takeChildren = [&pending, &dispose](TXMLNode& node) {
        for (int i = 0; i < node.m_childCount; ++i) {
            TXMLNode* child = node.m_children[i];
            if (child->m_childCount > 0) {
                pending.push_back(child);
            } else {
                dispose(child);
            }
        }
        node.freeChildList();
    };
    takeChildren(*this);
    while (!pending.empty()) {
        TXMLNode* node = pending.back();
        pending.pop_back();
        takeChildren(*node);
        dispose(node);
    }
    for (TXMLNode* root : arenaRoots) {
        delete root;
    }
}

QString TXMLNode::name() const
{
    return Gbk::decode(m_name);
}

QString TXMLNode::text() const
{
    return Gbk::decode(m_text);
}

TXMLNode* TXMLNode::child(int index) const
{
    if (index < 0 || index >= m_childCount) {
        return nullptr;
    }
    return m_children[index];
}

TXMLNode* TXMLNode::findChild(const QString& name, int occurrence) const
{
    return findChildBytes(Gbk::encode(name), occurrence);
}

TXMLNode* TXMLNode::findChildBytes(const QByteArray& name, int occurrence) const
{
    if (occurrence < 0) {
        return nullptr;
    }
    for (int i = 0; i < m_childCount; ++i) {
        TXMLNode* node = m_children[i];
        if (node->m_name == name && occurrence-- == 0) {
            return node;
        }
    }
    return nullptr;
}

TXMLNode* TXMLNode::addChild(std::unique_ptr<TXMLNode> node)
{
    if (!node) {
        return nullptr;
    }
    // A list in the arena has no room to spare: the first child added moves it to the heap.
    // Most elements have a few attributes and children: grow in one step to that.
    if (m_childCapacity == 0 || m_childCount == m_childCapacity) {
        const int slots = std::max(kFirstHeapChildSlots, m_childCount * 2);
        auto* list = new TXMLNode*[static_cast<size_t>(slots)];
        std::copy(m_children, m_children + m_childCount, list);
        if (m_childCapacity > 0) {
            delete[] m_children;
        }
        m_children = list;
        m_childCapacity = slots;
    }
    TXMLNode* child = node.release();
    if (child->m_arenaRoot && child->m_arena == m_arena) {
        // Back in a tree of its arena, which holds a reference already.
        child->m_arenaRoot = false;
        m_arena->release();
    }
    m_children[m_childCount++] = child;
    return child;
}

TXMLNode* TXMLNode::addChild(Kind kind, QByteArray name)
{
    return addChild(std::make_unique<TXMLNode>(kind, std::move(name)));
}

std::unique_ptr<TXMLNode> TXMLNode::removeChild(const TXMLNode* child)
{
    TXMLNode** end = m_children + m_childCount;
    TXMLNode** found = std::find(m_children, end, child);
    if (found == end) {
        return nullptr;
    }
    TXMLNode* detached = *found;
    std::copy(found + 1, end, found);
    --m_childCount;
    if (detached->m_arena && !detached->m_arenaRoot) {
        detached->m_arena->acquire();
        detached->m_arenaRoot = true;
    }
    return std::unique_ptr<TXMLNode>(detached);
}

TXMLNode* TXMLNode::findPath(const QString& path) const
{
    return findPathBytes(Gbk::encode(path));
}

TXMLNode* TXMLNode::findPathBytes(const QByteArray& path) const
{
    if (!path.contains('\\')) {
        return nullptr;
    }
    QByteArray inner = path;
    if (inner.startsWith('\\')) {
        inner.remove(0, 1);
    }
    if (inner.endsWith('\\')) {
        inner.chop(1);
    }
    const QList<QByteArray> parts = inner.split('\\');
    TXMLNode* found = findChildBytes(parts.first());
    if (!found) {
        return nullptr;
    }
    for (int i = 1; i < parts.size(); ++i) {
        TXMLNode* next = found->findChildBytes(parts.at(i));
        if (!next) {
            break;
        }
        found = next;
    }
    return found;
}

QString TXMLNode::pathText(const QString& path) const
{
    const TXMLNode* node = findPath(path);
    return node ? node->text() : QString();
}

namespace {

bool parseInteger(QByteArray text, int* value)
{
    text = text.trimmed();
    bool negative = false;
    if (text.startsWith('-') || text.startsWith('+')) {
        negative = text.startsWith('-');
        text.remove(0, 1);
    }
    int base = 10;
    if (text.startsWith('$')) {
        base = 16;
        text.remove(0, 1);
    }
    if (text.isEmpty() || text.startsWith('-') || text.startsWith('+')) {
        return false;
    }
    bool ok = false;
    const qlonglong magnitude = text.toLongLong(&ok, base);
    if (!ok) {
        return false;
    }
    const qlonglong signedValue = negative ? -magnitude : magnitude;
    if (signedValue < INT_MIN || signedValue > INT_MAX) {
        return false;
    }
    *value = static_cast<int>(signedValue);
    return true;
}

} // namespace

int TXMLNode::integerValue() const
{
    int value = 0;
    if (!parseInteger(m_text, &value)) {
        throw CoreError(QStringLiteral("Node \"") + name() +
                        QStringLiteral("\" does not contain a valid integer"));
    }
    return value;
}
