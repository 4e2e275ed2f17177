#include "ui/main/AdRotation.h"

#include "core/JsonNode.h"

AdRotation::Step AdRotation::next(const QString& listText)
{
    Step step;
    if (listText.trimmed().isEmpty())
        return step;
    const std::unique_ptr<JsonNode> root = ParseJson(listText);
    if (!root || !root->isList() || root->count() == 0)
        return step;
    if (m_index >= root->count() || m_index < 0)
        m_index = 0;
    const JsonNode* element = root->child(m_index);
    ++m_index;
    if (!element || !element->isObject())
        return step;
    const JsonNode* content = element->field(QStringLiteral("content"));
    const JsonNode* link = element->field(QStringLiteral("linkaddress"));
    step.caption = content ? content->toText() : QString();
    step.link = link ? link->toText() : QString();
    step.show = true;
    return step;
}
