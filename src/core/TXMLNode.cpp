#include "core/TXMLNode.h"

#include "core/CoreError.h"
#include "core/Gbk.h"

#include <QList>

#include <algorithm>
#include <climits>

namespace {

constexpr size_t kKeptNodes = 4096;

struct FreedNodes
{
    std::vector<void*> blocks;
    ~FreedNodes()
    {
        for (void* block : blocks) {
            ::operator delete(block);
        }
        blocks.clear();
        released = true;
    }
    // Set once the cache is gone, for nodes released later during the thread's exit.
    static thread_local bool released;
};

thread_local bool FreedNodes::released = false;
thread_local FreedNodes freedNodes;

} // namespace

void* TXMLNode::operator new(size_t size)
{
    if (size == sizeof(TXMLNode) && !FreedNodes::released && !freedNodes.blocks.empty()) {
        void* block = freedNodes.blocks.back();
        freedNodes.blocks.pop_back();
        return block;
    }
    return ::operator new(size);
}

void TXMLNode::operator delete(void* node, size_t size)
{
    if (size == sizeof(TXMLNode) && !FreedNodes::released &&
        freedNodes.blocks.size() < kKeptNodes) {
        freedNodes.blocks.push_back(node);
        return;
    }
    ::operator delete(node);
}

TXMLNode::TXMLNode(Kind kind, QByteArray name) : m_kind(kind), m_name(std::move(name)) {}

// Subtrees are released from a work list rather than by recursion, so that even a very deep
// tree cannot exhaust the stack when it is destroyed. Leaves are released at once.
TXMLNode::~TXMLNode()
{
    std::vector<std::unique_ptr<TXMLNode>> pending;
    auto takeSubtrees = [&pending](std::vector<std::unique_ptr<TXMLNode>>& children) {
        for (auto& child : children) {
            if (!child->m_children.empty()) {
                pending.push_back(std::move(child));
            }
        }
        children.clear();
    };
    takeSubtrees(m_children);
    while (!pending.empty()) {
        std::unique_ptr<TXMLNode> node = std::move(pending.back());
        pending.pop_back();
        takeSubtrees(node->m_children);
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
    if (index < 0 || index >= childCount()) {
        return nullptr;
    }
    return m_children[static_cast<size_t>(index)].get();
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
    for (const auto& node : m_children) {
        if (node->m_name == name && occurrence-- == 0) {
            return node.get();
        }
    }
    return nullptr;
}

TXMLNode* TXMLNode::addChild(std::unique_ptr<TXMLNode> node)
{
    // Most elements have a few attributes and children: grow in one step to that.
    if (m_children.empty()) {
        m_children.reserve(8);
    }
    m_children.push_back(std::move(node));
    return m_children.back().get();
}

TXMLNode* TXMLNode::addChild(Kind kind, QByteArray name)
{
    return addChild(std::make_unique<TXMLNode>(kind, std::move(name)));
}

std::unique_ptr<TXMLNode> TXMLNode::removeChild(const TXMLNode* child)
{
    auto found = std::find_if(m_children.begin(), m_children.end(),
                              [child](const auto& node) { return node.get() == child; });
    if (found == m_children.end()) {
        return nullptr;
    }
    std::unique_ptr<TXMLNode> detached = std::move(*found);
    m_children.erase(found);
    return detached;
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
