// Any text either parses or gives nullptr; every walk of a parsed tree stays in bounds.
#include "core/JsonNode.h"

#include <QLoggingCategory>

#include <cstddef>
#include <cstdint>

namespace {

void walk(const JsonNode& node, int depth)
{
    (void)node.toText();
    (void)node.toInteger();
    const int count = node.count();
    (void)node.child(count);
    (void)node.child(-1);
    (void)node.fieldByPosition(count);
    for (int i = 0; i < count; ++i) {
        (void)node.field(node.fieldName(i));
        (void)node.fieldByPosition(i);
        (void)node.textAt(i);
        (void)node.intAt(i);
        if (depth < 600) {
            walk(*node.child(i), depth + 1);
        }
    }
}

} // namespace

// Every rejected text logs why; millions of them would drown the fuzzer's own output.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QLoggingCategory::setFilterRules(QStringLiteral("tovanta.*.warning=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Both readings of the bytes: as UTF-8 and as raw UTF-16 code units.
    const QString utf8 =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(size));
    if (auto root = ParseJson(utf8)) {
        walk(*root, 0);
    }
    const QString utf16 =
        QString::fromUtf16(reinterpret_cast<const char16_t*>(data), static_cast<int>(size / 2));
    if (auto root = ParseJson(utf16)) {
        walk(*root, 0);
    }
    return 0;
}
