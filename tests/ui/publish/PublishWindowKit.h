#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QString>
#include <QStringList>
#include <QWidget>

// What the publishing window tests share: the text a named control shows, the items of a list,
// and choosing a list item by its text.
namespace PublishWindowKit {

struct NamedText
{
    const char* name;
    const char* text;
};

// A button's, label's or group's text; "<missing>" when no child has the name.
inline QString shownText(QWidget* window, const char* name)
{
    QObject* control = window->findChild<QObject*>(QLatin1String(name));
    if (!control)
        return QStringLiteral("<missing>");
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* group = qobject_cast<QGroupBox*>(control))
        return group->title();
    return QStringLiteral("<no text>");
}

inline QStringList comboItems(const QComboBox* box)
{
    QStringList items;
    for (int index = 0; index < box->count(); ++index)
        items << box->itemText(index);
    return items;
}

// Selects the item as a user's choice would (currentIndexChanged and activated); false when
// the list has no such item.
inline bool choose(QComboBox* box, const QString& text)
{
    const int index = box->findText(text);
    if (index < 0)
        return false;
    box->setCurrentIndex(index);
    Q_EMIT box->activated(index);
    return true;
}

// The texts of every label of the window, in creation order.
inline QStringList labelTexts(QWidget* window)
{
    QStringList texts;
    for (QLabel* label : window->findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

} // namespace PublishWindowKit
