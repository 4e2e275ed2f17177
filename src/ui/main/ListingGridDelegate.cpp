#include "ui/main/ListingGridDelegate.h"

#include "ui/main/CellTextElider.h"
#include "ui/main/GridFonts.h"
#include "ui/main/ListingTableModel.h"

#include <QAbstractItemView>
#include <QAbstractTextDocumentLayout>
#include <QLinearGradient>
#include <QPainter>
#include <QTextDocument>
#include <QtMath>

namespace {
const QColor kGradientTop(251, 230, 148);
const QColor kGradientBottom(238, 149, 21);
constexpr int kShownTextsKept = 256;
} // namespace

ListingGridDelegate::ListingGridDelegate(bool landStyle, int defaultRowHeight, QObject* parent)
    : QStyledItemDelegate(parent), m_landStyle(landStyle), m_defaultRowHeight(defaultRowHeight),
      m_shownTexts(kShownTextsKept)
{}

QString ListingGridDelegate::shownText(const QString& text, const QString& tail, const QFont& font,
                                       int cellWidth) const
{
    const int width = qMax(1, cellWidth - 2 * TextOffset);
    bool cut = false;
    const QString flat = CellTextElider::flattened(text, CellTextElider::budget(width), &cut);
    const QString key = QString::number(width) + QLatin1Char(cut ? '+' : '=') + font.key() +
                        QChar(0) + tail + QChar(0) + flat;
    if (const QString* cached = m_shownTexts.object(key))
        return *cached;
    const QString shown = CellTextElider::elideFlattened(flat, cut, tail, font, width).text;
    m_shownTexts.insert(key, new QString(shown), 1);
    return shown;
}

QString ListingGridDelegate::shownTitleMarkup(const QModelIndex& index, const QFont& font,
                                              int cellWidth) const
{
    const QString shortTime = index.data(ListingTableModel::ShortTimeRole).toString();
    const QString age = index.data(ListingTableModel::AgeRole).toString();
    QString tail = shortTime.isEmpty() ? QString() : QLatin1Char(' ') + shortTime;
    if (!age.isEmpty())
        tail += QLatin1Char(' ') + age;
    const QString title =
        shownText(index.data(ListingTableModel::TitleRole).toString(), tail, font, cellWidth);
    return ListingTableModel::titleMarkup(title, shortTime, age);
}

QString ListingGridDelegate::shownPlainText(const QModelIndex& index, const QFont& font,
                                            int cellWidth) const
{
    const QString text = index.data(Qt::DisplayRole).toString();
    return text.isEmpty() ? text : shownText(text, QString(), font, cellWidth);
}

bool ListingGridDelegate::isFocusedCell(const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const
{
    if (!m_landStyle)
        return false;
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    return view && view->currentIndex() == index;
}

void ListingGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const
{
    const bool focused = isFocusedCell(option, index);
    painter->save();
    paintBackground(painter, option, index, focused);
    if (index.data(ListingTableModel::TitleRole).isValid()) {
        const QFont font = focused ? GridFonts::tahoma(11, true) : option.font;
        paintRichText(painter, option, shownTitleMarkup(index, font, option.rect.width()),
                      textColour(option, index), focused);
    } else if (index.data(ListingTableModel::ImageIndexRole).toInt() >= 0) {
        paintIcon(painter, option, index);
    } else {
        paintPlainText(painter, option, index, focused);
    }
    painter->restore();
}

void ListingGridDelegate::paintBackground(QPainter* painter, const QStyleOptionViewItem& option,
                                          const QModelIndex& index, bool focused) const
{
    if (focused) {
        QLinearGradient gradient(option.rect.topLeft(), option.rect.bottomLeft());
        gradient.setColorAt(0, kGradientTop);
        gradient.setColorAt(1, kGradientBottom);
        painter->fillRect(option.rect, gradient);
        return;
    }
    const QVariant background = index.data(Qt::BackgroundRole);
    if (background.canConvert<QBrush>()) {
        painter->fillRect(option.rect, background.value<QBrush>());
        return;
    }
    const bool selected = option.state & QStyle::State_Selected;
    if (selected && m_landStyle)
        painter->fillRect(option.rect, Qt::white);
    else if (selected)
        painter->fillRect(option.rect, option.palette.highlight());
    else
        painter->fillRect(option.rect, option.palette.base());
}

void ListingGridDelegate::layoutDocument(QTextDocument& doc, const QFont& font, const QString& html,
                                         int width) const
{
    doc.setDocumentMargin(0);
    doc.setDefaultFont(font);
    doc.setHtml(html);
    doc.setTextWidth(qMax(1, width - 2 * TextOffset));
}

QColor ListingGridDelegate::textColour(const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const
{
    // Rows of stale listings are greyed by the model.
    const QVariant foreground = index.data(Qt::ForegroundRole);
    if (foreground.canConvert<QBrush>())
        return foreground.value<QBrush>().color();
    return option.palette.color(QPalette::Text);
}

void ListingGridDelegate::paintRichText(QPainter* painter, const QStyleOptionViewItem& option,
                                        const QString& html, const QColor& colour,
                                        bool focused) const
{
    QTextDocument doc;
    const QFont font = focused ? GridFonts::tahoma(11, true) : option.font;
    layoutDocument(doc, font, html, option.rect.width());
    const qreal height = doc.size().height();
    const qreal top =
        option.rect.top() + qMax<qreal>(TextOffset, (option.rect.height() - height) / 2);
    painter->translate(option.rect.left() + TextOffset, top);
    const QRectF clip(0, 0, option.rect.width() - TextOffset, option.rect.height());
    painter->setClipRect(clip);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, colour);
    context.clip = clip;
    doc.documentLayout()->draw(painter, context);
}

void ListingGridDelegate::paintIcon(QPainter* painter, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const
{
    const QPixmap pixmap = index.data(Qt::DecorationRole).value<QPixmap>();
    if (pixmap.isNull())
        return;
    QRect target(QPoint(0, 0), pixmap.size());
    target.moveCenter(option.rect.center());
    painter->drawPixmap(target, pixmap);
}

void ListingGridDelegate::paintPlainText(QPainter* painter, const QStyleOptionViewItem& option,
                                         const QModelIndex& index, bool focused) const
{
    const QFont font = focused ? GridFonts::tahoma(11, true) : option.font;
    const QString text = shownPlainText(index, font, option.rect.width());
    if (text.isEmpty())
        return;
    painter->setFont(font);
    painter->setPen(textColour(option, index));
    const QVariant alignment = index.data(Qt::TextAlignmentRole);
    const int flags =
        alignment.isValid() ? alignment.toInt() : int(Qt::AlignLeft | Qt::AlignVCenter);
    const QRect area = option.rect.adjusted(TextOffset, TextOffset, -TextOffset, -TextOffset);
    painter->drawText(area, flags | Qt::TextWordWrap, text);
}

QSize ListingGridDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const
{
    const int width = option.rect.width() > 0 ? option.rect.width() : 200;
    int contentHeight = 0;
    if (index.data(ListingTableModel::TitleRole).isValid()) {
        QTextDocument doc;
        layoutDocument(doc, option.font, shownTitleMarkup(index, option.font, width), width);
        contentHeight = qCeil(doc.size().height()) + 2 * TextOffset;
    } else {
        const QString text = shownPlainText(index, option.font, width);
        if (!text.isEmpty()) {
            const QRect bounds = option.fontMetrics.boundingRect(
                QRect(0, 0, qMax(1, width - 2 * TextOffset), 100000), Qt::TextWordWrap, text);
            contentHeight = bounds.height() + 2 * TextOffset;
        }
    }
    return QSize(width, contentHeight > 0 ? contentHeight : m_defaultRowHeight);
}
