#include "ui/main/ListingTableModel.h"

#include "service/ListingAge.h"
#include "ui/main/ListingImages.h"

#include <QBrush>
#include <QColor>
#include <QTimer>

namespace {
const QColor kStaleText(150, 150, 150);
}

ListingTableModel::ListingTableModel(ListingFamily family, QObject* parent)
    : QAbstractTableModel(parent), m_layout(&ListingLayout::of(family)),
      m_ageTimer(new QTimer(this))
{
    m_ageTimer->setInterval(AgeRefreshMs);
    connect(m_ageTimer, &QTimer::timeout, this, &ListingTableModel::refreshAges);
}

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
    case AgeRole:
        if (field == m_layout->titleField && !row.field(field).isEmpty())
            return ageText(row, m_now);
        return QVariant();
    case StaleRole:
        return isStale(row, m_now);
    case Qt::ForegroundRole:
        if (isStale(row, m_now))
            return QBrush(kStaleText);
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

QString ListingTableModel::titleMarkup(const QString& title, const QString& shortTime,
                                       const QString& age)
{
    // Titles come from other users: escape them so markup in a title is shown, never run.
    QString markup = title.toHtmlEscaped();
    QString grey = shortTime;
    if (!age.isEmpty())
        grey += (grey.isEmpty() ? QString() : QStringLiteral(" ")) + age;
    if (!grey.isEmpty())
        markup +=
            QStringLiteral(" <span style=\"color:#939291\">%1</span>").arg(grey.toHtmlEscaped());
    return markup;
}

void ListingTableModel::setAgeClock(Clock clock)
{
    m_clock = std::move(clock);
    m_now = m_clock ? m_clock() : QDateTime();
    if (m_clock && m_layout->family == ListingFamily::Land)
        m_ageTimer->start();
    else
        m_ageTimer->stop();
    if (!m_rows.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(m_rows.size() - 1, m_layout->fieldCount - 1));
}

void ListingTableModel::setAgeRefreshInterval(int milliseconds)
{
    m_ageTimer->setInterval(milliseconds);
}

void ListingTableModel::refreshAges()
{
    if (!m_clock)
        return;
    const QDateTime before = m_now;
    m_now = m_clock();
    // Report runs of changed rows: a minute changes the words of few rows.
    int first = -1;
    const int last = m_layout->fieldCount - 1;
    for (int i = 0; i <= m_rows.size(); ++i) {
        bool changed = false;
        if (i < m_rows.size()) {
            const ListingGridRow& row = m_rows.at(i);
            changed = ageText(row, before) != ageText(row, m_now) ||
                      isStale(row, before) != isStale(row, m_now);
        }
        if (changed && first < 0) {
            first = i;
        } else if (!changed && first >= 0) {
            Q_EMIT dataChanged(index(first, 0), index(i - 1, last));
            first = -1;
        }
    }
}

QString ListingTableModel::ageText(const ListingGridRow& row, const QDateTime& now) const
{
    if (!m_clock || m_layout->family != ListingFamily::Land)
        return QString();
    return ListingAge::words(row.issuedAt, now);
}

bool ListingTableModel::isStale(const ListingGridRow& row, const QDateTime& now) const
{
    return m_clock && m_layout->family == ListingFamily::Land &&
           ListingAge::isStale(row.issuedAt, now);
}
