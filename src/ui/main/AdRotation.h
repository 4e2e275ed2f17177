#pragma once

#include <QString>

// The rotating one-line advertisement: each tick takes the next element of the JSON list
// of {"content", "linkaddress"} objects, wrapping to the first when the index has run past
// the end (also when the list has shrunk meanwhile).
class AdRotation
{
public:
    struct Step
    {
        bool show = false; // false: nothing to show this tick
        QString caption;
        QString link;
    };

    Step next(const QString& listText);
    int index() const { return m_index; }

private:
    int m_index = 0;
};
