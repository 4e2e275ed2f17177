#pragma once

#include <QCache>
#include <QStyledItemDelegate>

class QTextDocument;

// Paints listing cells: the land title as rich text, icons centred, the focused land cell on
// its gradient, selections on white. Its size hint measures the title text so that a row is as
// tall as its text needs and no taller. A text cell shows at most CellTextElider::MaxLines
// lines; a longer text ends in "…" on screen and stays whole in the row.
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
                       const QColor& colour, bool focused) const;
    QColor textColour(const QStyleOptionViewItem& option, const QModelIndex& index) const;
    void paintIcon(QPainter* painter, const QStyleOptionViewItem& option,
                   const QModelIndex& index) const;
    void paintPlainText(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index, bool focused) const;
    void layoutDocument(QTextDocument& doc, const QFont& font, const QString& html,
                        int width) const;
    bool isFocusedCell(const QStyleOptionViewItem& option, const QModelIndex& index) const;
    // The markup of a land title cell as a cell of that width shows it.
    QString shownTitleMarkup(const QModelIndex& index, const QFont& font, int cellWidth) const;
    // The plain text of a cell as a cell of that width shows it.
    QString shownPlainText(const QModelIndex& index, const QFont& font, int cellWidth) const;
    QString shownText(const QString& text, const QString& tail, const QFont& font,
                      int cellWidth) const;

    bool m_landStyle;
    int m_defaultRowHeight;
    // Shown texts by text, tail, font and width: painting a row does not shorten it again.
    mutable QCache<QString, QString> m_shownTexts;
};
