// Any byte string either parses into a tree or raises CoreError; the tree's walks and the
// writer's escaping of every text must be sound too, and so must subtrees removed from the tree
// that outlive it or are put back into it.
#include "core/CoreError.h"
#include "core/TXMLNode.h"
#include "core/TXMLStringReader.h"
#include "core/TXMLWriter.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

void walk(const TXMLNode& node, int depth)
{
    (void)TXMLWriter::escape(node.textBytes());
    (void)node.findPathBytes("\\" + node.nameBytes() + "\\a");
    try {
        (void)node.integerValue();
    } catch (const CoreError&) {
    }
    if (depth > 300) {
        return;
    }
    for (int i = 0; i < node.childCount(); ++i) {
        walk(*node.child(i), depth + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<int>(size));
    try {
        auto document = TXMLStringReader::parseBytes(text);
        walk(*document, 0);
        (void)document->findPath(QStringLiteral("\\ClientConfig\\login\\username"));
        TXMLNode* root = document->child(document->childCount() - 1);
        if (root && root->childCount() > 0) {
            std::unique_ptr<TXMLNode> first = root->removeChild(root->child(0));
            if (TXMLNode* last = root->child(root->childCount() - 1)) {
                std::unique_ptr<TXMLNode> grandchild = last->removeChild(last->child(0));
                if (grandchild) {
                    root->addChild(std::move(grandchild));
                }
            }
            root->addChild(TXMLNode::Element, "added");
            document.reset();
            walk(*first, 0);
            first->addChild(TXMLNode::Element, "added");
        }
    } catch (const CoreError&) {
    }
    return 0;
}
