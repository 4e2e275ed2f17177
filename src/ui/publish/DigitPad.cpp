#include "ui/publish/DigitPad.h"

#include "publish/ListingText.h"
#include "publish/PublishWords.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

DigitPad::DigitPad(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("pnlDigit"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(1);
    const QStringList& keys = PublishWords::digitPadKeys();
    for (int index = 0; index < keys.size(); ++index) {
        auto* key = new QPushButton(keys.at(index), this);
        key->setObjectName(QStringLiteral("btnKey%1").arg(index));
        key->setFixedSize(28, 22);
        key->setFocusPolicy(Qt::NoFocus);
        connect(key, &QPushButton::clicked, this, [this, text = keys.at(index)] { press(text); });
        grid->addWidget(key, index / 4, index % 4);
    }
    adjustSize();
    hide();
}

void DigitPad::showFor(QLineEdit* target, const QPoint& position)
{
    m_target = target;
    move(position);
    raise();
    show();
}

QString DigitPad::target() const
{
    return m_target ? m_target->objectName() : QString();
}

void DigitPad::press(const QString& key)
{
    if (key == QStringLiteral("X")) {
        hide();
        return;
    }
    if (!m_target)
        return;
    if (key == QStringLiteral("清"))
        m_target->clear();
    else if (key == QStringLiteral("←"))
        m_target->setText(ListingText::withoutLastCharacter(m_target->text()));
    else
        m_target->setText(m_target->text() + key);
}
