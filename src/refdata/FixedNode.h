#pragma once

#include <QString>
#include <QVector>

// One node of a navigation tree: its text, its kind (the integer the main
// window acts on), an optional value (for example an airport code) and its
// child nodes.
struct FixedNode
{
    QString text;
    int kind = 0;
    QString value;
    QVector<FixedNode> children;
};
