#pragma once

#include <QStyledItemDelegate>

class QTextDocument;

// Paints listing cells: the land title as rich text, icons centred, the focused land cell on
// its gradient, selections on white. Its size hint measures the title text so that a row is as
// tall as its text needs and no taller.
class ListingGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    ListingGridDelegate(bool landStyle, int defaultRowHeight, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    static constexpr int TextOffset = 2;

private:
    void paintBackground(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index, bool focused) const;
    void paintRichText(QPainter* painter, const QStyleOptionViewItem& option, const QString& html,
                       bool focused) const;
    void paintIcon(QPainter* painter, const QStyleOptionViewItem& option,
                   const QModelIndex& index) const;
    void paintPlainText(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index, bool focused) const;
    void layoutDocument(QTextDocument& doc, const QFont& font, const QString& html,
                        int width) const;
    bool isFocusedCell(const QStyleOptionViewItem& option, const QModelIndex& index) const;

    bool m_landStyle;
    int m_defaultRowHeight;
};
