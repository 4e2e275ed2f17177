#include "ui/main/ListingTableModel.h"

#include "ui/main/ListingImages.h"

#include <QBrush>
#include <QColor>

ListingTableModel::ListingTableModel(ListingFamily family, QObject* parent)
    : QAbstractTableModel(parent), m_layout(&ListingLayout::of(family))
{}

int ListingTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int ListingTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_layout->fieldCount;
}

QVariant ListingTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const ListingGridRow& row = m_rows.at(index.row());
    const int field = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return displayText(row, field);
    case RichTextRole:
        if (field == m_layout->titleField && !row.field(field).isEmpty())
            return titleMarkup(row.field(field), row.shortTime);
        return QVariant();
    case TitleRole:
        if (field == m_layout->titleField && !row.field(field).isEmpty())
            return row.field(field);
        return QVariant();
    case ShortTimeRole:
        if (field == m_layout->titleField)
            return row.shortTime;
        return QVariant();
    case ImageIndexRole:
        return imageAt(row, field);
    case Qt::DecorationRole: {
        const int image = imageAt(row, field);
        return image < 0 ? QVariant() : QVariant(ListingImages::image(image));
    }
    case Qt::ToolTipRole: {
        const QString hint = m_layout->hint(field, row.field(m_layout->senderField));
        return hint.isEmpty() ? QVariant() : QVariant(hint);
    }
    case Qt::BackgroundRole:
        if (field == m_layout->senderIconField)
            return QBrush(Qt::white);
        return QVariant();
    case Qt::TextAlignmentRole:
        if (m_layout->isIconField(field))
            return int(Qt::AlignCenter);
        if (m_layout->family == ListingFamily::Land)
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant ListingTableModel::displayText(const ListingGridRow& row, int field) const
{
    if (m_layout->isIconField(field))
        return QVariant();
    if (field == m_layout->titleField && !row.shortTime.isEmpty())
        return row.field(field) + QLatin1Char(' ') + row.shortTime;
    return row.field(field);
}

int ListingTableModel::imageAt(const ListingGridRow& row, int field) const
{
    if (field == m_layout->typeIconField)
        return row.typeImage;
    if (field == m_layout->senderIconField)
        return row.senderImage;
    return -1;
}

QVariant ListingTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_layout->headers.value(section);
}

ListingGridRow ListingTableModel::row(int index) const
{
    return normalised(m_rows.value(index));
}

ListingGridRow ListingTableModel::normalised(ListingGridRow row) const
{
    row.fields.resize(m_layout->fieldCount);
    return row;
}

void ListingTableModel::resizeRows(int count)
{
    count = qBound(0, count, MaxRows);
    const int current = m_rows.size();
    if (count > current) {
        beginInsertRows(QModelIndex(), current, count - 1);
        m_rows.resize(count);
        for (int i = current; i < count; ++i)
            m_rows[i] = normalised(ListingGridRow());
        endInsertRows();
    } else if (count < current) {
        beginRemoveRows(QModelIndex(), count, current - 1);
        m_rows.resize(count);
        endRemoveRows();
    }
}

void ListingTableModel::setRow(int index, const ListingGridRow& row)
{
    if (index < 0 || index >= m_rows.size())
        return;
    m_rows[index] = normalised(row);
    Q_EMIT dataChanged(this->index(index, 0), this->index(index, m_layout->fieldCount - 1));
}

int ListingTableModel::insertRow(int position, const ListingGridRow& row)
{
    if (m_rows.size() >= MaxRows) {
        const int first = MaxRows - 1;
        beginRemoveRows(QModelIndex(), first, m_rows.size() - 1);
        m_rows.resize(first);
        endRemoveRows();
    }
    position = qBound(0, position, m_rows.size());
    beginInsertRows(QModelIndex(), position, position);
    m_rows.insert(position, normalised(row));
    endInsertRows();
    return position;
}

void ListingTableModel::clearToOneEmptyRow()
{
    beginResetModel();
    m_rows = {normalised(ListingGridRow())};
    endResetModel();
}

QString ListingTableModel::titleMarkup(const QString& title, const QString& shortTime)
{
    // Titles come from other users: escape them so markup in a title is shown, never run.
    QString markup = title.toHtmlEscaped();
    if (!shortTime.isEmpty())
        markup += QStringLiteral(" <span style=\"color:#939291\">%1</span>")
                      .arg(shortTime.toHtmlEscaped());
    return markup;
}
