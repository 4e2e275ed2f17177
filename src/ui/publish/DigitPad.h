#pragma once

#include <QFrame>

class QLineEdit;

// The pop-up digit pad pnlDigit of the pick window. It remembers its target field by name;
// digit keys, "00" and "." append their caption to it, "清" empties it, "←" takes its last
// character and "X" hides the pad. With no target the keys do nothing.
class DigitPad : public QFrame
{
    Q_OBJECT
public:
    explicit DigitPad(QWidget* parent);

    // Shows the pad for the field, with its top left corner at `position` (parent coordinates).
    void showFor(QLineEdit* target, const QPoint& position);
    // The target field's objectName; empty until a field was chosen.
    QString target() const;

private:
    void press(const QString& key);

    QLineEdit* m_target = nullptr;
};
