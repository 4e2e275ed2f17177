#include "ui/common/Theme.h"
#include "ui/main/CellTextElider.h"
#include "ui/main/GridRowBuilder.h"
#include "ui/main/ListingGridDelegate.h"
#include "ui/main/ListingGridView.h"
#include "ui/main/ListingImages.h"
#include "ui/main/ListingTableModel.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolTip>
#include <QtTest>

namespace {

ListingGridRow landRow(const QString& id, const QString& title, const QString& sender,
                       const QString& itype = QStringLiteral("1"))
{
    return GridRowBuilder::fromLand(LandRow::build(id, title, itype,
                                                   QStringLiteral("2026-12-08 19:30:05"), sender,
                                                   QStringLiteral("ABCD"), QStringLiteral("上海")));
}

AirRow airRow(const QString& sender, const QString& departure)
{
    AirRow row;
    row.departure = departure;
    row.destination = QStringLiteral("成田(NRT)");
    row.info = QStringLiteral("运价:100");
    row.sender = sender;
    row.senderIcon = senderIconFor(sender);
    return row;
}

// The grid's own delegate, noting which rows' title cells the grid measures.
class MeasuringDelegate : public ListingGridDelegate
{
public:
    using ListingGridDelegate::ListingGridDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (index.column() == 1)
            measured.append(index.row());
        return ListingGridDelegate::sizeHint(option, index);
    }

    mutable QVector<int> measured;
};

QWidget* shownToolTip()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->inherits("QTipLabel") && widget->isVisible())
            return widget;
    }
    return nullptr;
}

} // namespace

class ListingGridTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void insertsPushRowsDownAndKeepFields();
    void priceGridsInsertBelowTheirHeader();
    void hintsFollowTheShownColumnAndSender();
    void agentRowsShowTheAgentPicture();
    void titleMarkupIsEscapedAndShortTimeGrey();
    void emptyResultLeavesOneBlankRowWithoutIcons();
    void setUpHidesFieldsAndSetsWidths();
    void longTitlesAreNoTallerThanTheirText();
    void resizeKeepsExistingRowsAndDropsExtra();
    void userDragsARowBorder();
    void gridsKeepTheNewestRowsOnly();
    void resizeMeasuresOnlyTheRowsOnScreen();
    void hugeTitlesShowAFewLinesAndStayWhole();
    void landHintsLeaveOtherToolTipsAlone();
    void agesFollowTheClockAndOldRowsGrey();
};

void ListingGridTest::insertsPushRowsDownAndKeepFields()
{
    ListingGridView grid(ListingFamily::Land);
    grid.insertGridRow(0,
                       landRow(QStringLiteral("1"), QStringLiteral("first"), QStringLiteral("a")));
    grid.insertGridRow(0,
                       landRow(QStringLiteral("2"), QStringLiteral("second"), QStringLiteral("b")));
    grid.insertGridRow(0, landRow(QStringLiteral("3"), QStringLiteral("third"), QStringLiteral("c"),
                                  QStringLiteral("2")));

    QCOMPARE(grid.gridRowCount(), 3);
    QCOMPARE(grid.dataRow(0).field(2), QStringLiteral("3"));
    QCOMPARE(grid.dataRow(1).field(2), QStringLiteral("2"));
    QCOMPARE(grid.dataRow(2).field(2), QStringLiteral("1"));
    // Hidden fields travel with the row.
    QCOMPARE(grid.dataRow(0).field(5), QStringLiteral("c"));
    QCOMPARE(grid.dataRow(0).field(6), QStringLiteral("上海"));
    QCOMPARE(grid.dataRow(0).typeImage, int(ListingImages::Truck));
    QCOMPARE(grid.dataRow(2).typeImage, int(ListingImages::Cargo));
    const QModelIndex title = grid.model()->index(0, 1);
    QCOMPARE(title.data().toString(), QStringLiteral("third 12-08 19:30"));
}

void ListingGridTest::priceGridsInsertBelowTheirHeader()
{
    ListingGridView grid(ListingFamily::Air);
    QVERIFY(grid.hasHeaderRow());
    QCOMPARE(grid.gridRowCount(), 1); // the header row alone
    grid.insertGridRow(
        1, GridRowBuilder::fromAir(airRow(QStringLiteral("a"), QStringLiteral("浦东(PVG)"))));
    grid.insertGridRow(
        1, GridRowBuilder::fromAir(airRow(QStringLiteral("b"), QStringLiteral("首都(PEK)"))));
    // A position pointing at the header still lands below it.
    grid.insertGridRow(
        0, GridRowBuilder::fromAir(airRow(QStringLiteral("c"), QStringLiteral("白云(CAN)"))));
    QCOMPARE(grid.gridRowCount(), 4);
    QCOMPARE(grid.dataRow(0).field(10), QStringLiteral("c"));
    QCOMPARE(grid.dataRow(1).field(10), QStringLiteral("b"));
    QCOMPARE(grid.dataRow(2).field(10), QStringLiteral("a"));
    QCOMPARE(grid.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("信息内容"));
}

void ListingGridTest::hintsFollowTheShownColumnAndSender()
{
    ListingTableModel land(ListingFamily::Land);
    land.insertRow(0, landRow(QStringLiteral("1"), QStringLiteral("t"), QStringLiteral("-1")));
    land.insertRow(0, landRow(QStringLiteral("2"), QStringLiteral("t"), QStringLiteral("wang")));
    auto hint = [](const QAbstractItemModel& m, int row, int field) {
        return m.index(row, field).data(Qt::ToolTipRole).toString();
    };
    QCOMPARE(hint(land, 0, 1), QStringLiteral("双击查看详情"));
    QCOMPARE(hint(land, 0, 4), QStringLiteral("双击对话"));
    QCOMPARE(hint(land, 1, 4), QStringLiteral("座席发布"));
    QCOMPARE(hint(land, 0, 0), QString());

    ListingTableModel air(ListingFamily::Air);
    air.resizeRows(1);
    QCOMPARE(hint(air, 0, 3), QStringLiteral("双击询价"));
    QCOMPARE(hint(air, 0, 0), QStringLiteral("双击查看详情"));
    QCOMPARE(hint(air, 0, 2), QStringLiteral("双击查看详情"));

    ListingTableModel sea(ListingFamily::Sea);
    sea.resizeRows(1);
    QCOMPARE(hint(sea, 0, 9), QStringLiteral("双击询价"));
    QCOMPARE(hint(sea, 0, 0), QString());

    ListingTableModel rail(ListingFamily::Rail);
    rail.resizeRows(1);
    QCOMPARE(hint(rail, 0, 6), QStringLiteral("双击查看详情"));
    QCOMPARE(hint(rail, 0, 7), QStringLiteral("双击咨询"));
}

void ListingGridTest::agentRowsShowTheAgentPicture()
{
    ListingTableModel model(ListingFamily::Land);
    model.insertRow(0, landRow(QStringLiteral("1"), QStringLiteral("t"), QStringLiteral("-1")));
    model.insertRow(0, landRow(QStringLiteral("2"), QStringLiteral("t"), QStringLiteral("zhao")));
    QCOMPARE(model.index(1, 4).data(ListingTableModel::ImageIndexRole).toInt(),
             int(ListingImages::Agent));
    QCOMPARE(model.index(0, 4).data(ListingTableModel::ImageIndexRole).toInt(),
             int(ListingImages::Chat));
    const QPixmap agent = model.index(1, 4).data(Qt::DecorationRole).value<QPixmap>();
    QCOMPARE(agent.size(), QSize(21, 20));
    QVERIFY(agent.toImage() != ListingImages::image(ListingImages::Chat).toImage());
    // The sender cell sits on white whatever the row's selection.
    QCOMPARE(model.index(0, 4).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::white));
}

void ListingGridTest::titleMarkupIsEscapedAndShortTimeGrey()
{
    ListingTableModel model(ListingFamily::Land);
    model.insertRow(0, landRow(QStringLiteral("1"), QStringLiteral("<b>钢材</b> & <img src=x>"),
                               QStringLiteral("a")));
    const QString html = model.index(0, 1).data(ListingTableModel::RichTextRole).toString();
    QTextDocument doc;
    doc.setHtml(html);
    // Shown exactly as typed, never interpreted.
    QCOMPARE(doc.toPlainText(), QStringLiteral("<b>钢材</b> & <img src=x> 12-08 19:30"));
    QVERIFY(html.contains(QStringLiteral("#939291")));
    QVERIFY(!html.contains(QStringLiteral("<b>")));
}

void ListingGridTest::emptyResultLeavesOneBlankRowWithoutIcons()
{
    ListingGridView grid(ListingFamily::Land);
    for (int i = 0; i < 5; ++i)
        grid.insertGridRow(0,
                           landRow(QString::number(i), QStringLiteral("t"), QStringLiteral("a")));
    grid.listingModel()->clearToOneEmptyRow();
    QCOMPARE(grid.gridRowCount(), 1);
    for (int field = 0; field < 7; ++field) {
        QCOMPARE(grid.model()->index(0, field).data().toString(), QString());
        QCOMPARE(grid.model()->index(0, field).data(ListingTableModel::ImageIndexRole).toInt(), -1);
    }
}

void ListingGridTest::setUpHidesFieldsAndSetsWidths()
{
    ListingGridView land(ListingFamily::Land);
    for (int field : {2, 3, 5, 6})
        QVERIFY(land.isColumnHidden(field));
    QVERIFY(!land.isColumnHidden(1));
    QCOMPARE(land.columnWidth(0), 30);
    QVERIFY(!land.horizontalHeader()->isVisible() || land.horizontalHeader()->isHidden());

    ListingGridView sea(ListingFamily::Sea);
    QCOMPARE(sea.columnWidth(0), 100);
    QCOMPARE(sea.columnWidth(8), 80);
    QCOMPARE(sea.columnWidth(9), 30);
    QVERIFY(sea.isColumnHidden(10));
    QVERIFY(sea.isColumnHidden(11));

    ListingGridView rail(ListingFamily::Rail);
    for (int field = 8; field <= 13; ++field)
        QVERIFY(rail.isColumnHidden(field));
    QCOMPARE(rail.columnWidth(6), 100);

    // Something hid the land fields' columns again? applyColumnLayout puts them back.
    land.setColumnHidden(2, false);
    land.applyColumnLayout();
    QVERIFY(land.isColumnHidden(2));
}

void ListingGridTest::longTitlesAreNoTallerThanTheirText()
{
    ListingGridView grid(ListingFamily::Land);
    grid.resize(600, 400);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.insertGridRow(0,
                       landRow(QStringLiteral("1"), QStringLiteral("短标题"), QStringLiteral("a")));
    QCOMPARE(grid.rowHeight(0), 40); // one line stays at the default height

    // Long, but within the lines a cell shows.
    const QString longTitle = QString(QStringLiteral("长途货运整车零担")).repeated(10);
    grid.insertGridRow(0, landRow(QStringLiteral("2"), longTitle, QStringLiteral("a")));
    const int tall = grid.rowHeight(0);
    QVERIFY2(tall > 40, qPrintable(QString::number(tall)));

    // The row holds the text and not much more: measure the text at the title column's width.
    QTextDocument doc;
    doc.setDefaultFont(grid.font());
    doc.setDocumentMargin(0);
    doc.setHtml(grid.model()->index(0, 1).data(ListingTableModel::RichTextRole).toString());
    doc.setTextWidth(grid.columnWidth(1) - 4);
    const int needed = qCeil(doc.size().height());
    QVERIFY2(tall >= needed, qPrintable(QStringLiteral("%1 < %2").arg(tall).arg(needed)));
    QVERIFY2(tall <= needed + 8, qPrintable(QStringLiteral("%1 > %2").arg(tall).arg(needed + 8)));

    // Widening the grid reflows the text: the row shrinks with it.
    const int narrow = grid.columnWidth(1);
    grid.resize(1200, 400);
    QTRY_VERIFY(grid.columnWidth(1) > narrow);
    QTRY_VERIFY2(grid.rowHeight(0) < tall, qPrintable(QStringLiteral("%1 %2 %3")
                                                          .arg(narrow)
                                                          .arg(grid.columnWidth(1))
                                                          .arg(grid.rowHeight(0))));
    QVERIFY(grid.rowHeight(0) >= 40);
}

void ListingGridTest::resizeKeepsExistingRowsAndDropsExtra()
{
    ListingTableModel model(ListingFamily::Rail);
    model.resizeRows(3);
    ListingGridRow row;
    row.fields = {QStringLiteral("K123")};
    model.setRow(1, row);
    model.setRow(7, row); // outside: ignored
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.row(1).field(0), QStringLiteral("K123"));
    QCOMPARE(model.row(1).fields.size(), 14);
    model.resizeRows(2);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.row(1).field(0), QStringLiteral("K123"));
}

void ListingGridTest::userDragsARowBorder()
{
    ListingGridView grid(ListingFamily::Land);
    grid.resize(500, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.insertGridRow(0, landRow(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("x")));
    grid.insertGridRow(0, landRow(QStringLiteral("2"), QStringLiteral("b"), QStringLiteral("x")));
    QWidget* port = grid.viewport();
    const QPoint border(200, grid.rowHeight(0) - 1);
    QTest::mousePress(port, Qt::LeftButton, Qt::NoModifier, border);
    QMouseEvent move(QEvent::MouseMove, border + QPoint(0, 25), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(port, &move);
    QTest::mouseRelease(port, Qt::LeftButton, Qt::NoModifier, border + QPoint(0, 25));
    QCOMPARE(grid.rowHeight(0), 65);
    QCOMPARE(grid.rowHeight(1), 40);
    // A press inside a row selects as usual and resizes nothing.
    QTest::mouseClick(port, Qt::LeftButton, Qt::NoModifier, QPoint(200, 80));
    QCOMPARE(grid.currentIndex().row(), 1);
    QCOMPARE(grid.rowHeight(1), 40);
}

void ListingGridTest::gridsKeepTheNewestRowsOnly()
{
    const int cap = ListingTableModel::MaxRows;
    ListingGridView land(ListingFamily::Land);
    for (int i = 0; i <= cap; ++i)
        land.insertGridRow(0,
                           landRow(QString::number(i), QStringLiteral("t"), QStringLiteral("a")));
    // The insert after the cap dropped the oldest row, at the bottom.
    QCOMPARE(land.gridRowCount(), cap);
    QCOMPARE(land.dataRow(0).field(2), QString::number(cap));
    QCOMPARE(land.dataRow(cap - 1).field(2), QStringLiteral("1"));

    // The header row of the price grids is not one of the rows kept.
    ListingGridView air(ListingFamily::Air);
    for (int i = 0; i <= cap; ++i)
        air.insertGridRow(
            1, GridRowBuilder::fromAir(airRow(QString::number(i), QStringLiteral("浦东(PVG)"))));
    QCOMPARE(air.gridRowCount(), cap + 1);
    QCOMPARE(air.dataRow(0).field(10), QString::number(cap));
    QCOMPARE(air.dataRow(cap - 1).field(10), QStringLiteral("1"));

    // A load asking for more rows than a grid keeps gets the most it keeps.
    ListingTableModel model(ListingFamily::Sea);
    model.resizeRows(cap + 500);
    QCOMPARE(model.rowCount(), cap);
}

void ListingGridTest::resizeMeasuresOnlyTheRowsOnScreen()
{
    ListingGridView grid(ListingFamily::Land);
    auto* delegate = new MeasuringDelegate(true, 40, &grid);
    grid.setItemDelegate(delegate);
    grid.resize(600, 400);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    const int rows = 300;
    for (int i = 0; i < rows; ++i)
        grid.insertGridRow(0, landRow(QString::number(i), QStringLiteral("钢材 %1 吨").arg(i),
                                      QStringLiteral("a")));
    auto onScreen = [&grid] {
        QSet<int> shown;
        const int first = grid.rowAt(0);
        const int last = grid.rowAt(grid.viewport()->height() - 1);
        for (int row = first; row >= 0 && row <= last; ++row)
            shown.insert(row);
        return shown;
    };
    auto measuredRows = [delegate] {
        return QSet<int>(delegate->measured.cbegin(), delegate->measured.cend());
    };

    // Inserted in one turn of the loop, as a burst of broadcasts is: the first rows are
    // measured at once, the rest only when they are drawn, so most of them never are.
    QTest::qWait(50);
    QVERIFY2(delegate->measured.size() < rows / 4,
             qPrintable(QString::number(delegate->measured.size())));
    const QSet<int> drawn = measuredRows();
    for (int row : onScreen())
        QVERIFY2(drawn.contains(row), qPrintable(QString::number(row)));

    // A resize measures the rows in view, each once, and no row below them.
    delegate->measured.clear();
    grid.resize(900, 400);
    QTRY_VERIFY(!delegate->measured.isEmpty());
    QTest::qWait(50);
    QCOMPARE(measuredRows(), onScreen());
    QCOMPARE(delegate->measured.size(), measuredRows().size());

    // Rows scrolled into view are measured then; rows already measured for this width are not
    // measured again.
    delegate->measured.clear();
    grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
    QTRY_VERIFY(!delegate->measured.isEmpty());
    QTest::qWait(50);
    QCOMPARE(measuredRows(), onScreen());
    delegate->measured.clear();
    grid.verticalScrollBar()->setValue(0);
    grid.viewport()->repaint();
    QVERIFY2(delegate->measured.isEmpty(), qPrintable(QString::number(delegate->measured.size())));

    // New content is measured again.
    grid.listingModel()->setRow(
        2, landRow(QStringLiteral("x"), QStringLiteral("玻璃"), QStringLiteral("b")));
    grid.viewport()->repaint();
    QCOMPARE(delegate->measured, QVector<int>{2});
}

void ListingGridTest::hugeTitlesShowAFewLinesAndStayWhole()
{
    ListingGridView grid(ListingFamily::Land);
    grid.resize(600, 400);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    // Another user's title: markup, control characters, line breaks and 100 KB.
    QString huge;
    while (huge.size() < 100 * 1024)
        huge += QStringLiteral("超长标题<b>粗体</b> & \x01\t\r\n");
    huge += QStringLiteral("结尾");
    grid.insertGridRow(0, landRow(QStringLiteral("1"), huge, QStringLiteral("a")));
    grid.insertGridRow(0,
                       landRow(QStringLiteral("2"), QStringLiteral("钢材"), QStringLiteral("a")));
    QTest::qWait(20);

    const QFontMetrics metrics(grid.font());
    const int lines = CellTextElider::MaxLines;
    const int height = grid.rowHeight(1);
    QVERIFY2(height <= lines * metrics.lineSpacing() + 2 * ListingGridDelegate::TextOffset + 2,
             qPrintable(QString::number(height)));
    QVERIFY2(height >= (lines - 1) * metrics.height(), qPrintable(QString::number(height)));
    QVERIFY(height < grid.viewport()->height());
    QCOMPARE(grid.rowHeight(0), 40);

    // What the cell shows: the beginning of the title as text, an ellipsis and the time,
    // within the lines at the column's width.
    const int width = grid.columnWidth(1) - 2 * ListingGridDelegate::TextOffset;
    const QString tail = QStringLiteral(" 12-08 19:30");
    const CellTextElider::Shown shown = CellTextElider::elide(huge, tail, grid.font(), width);
    QVERIFY(shown.elided);
    QVERIFY(shown.text.endsWith(QChar(0x2026)));
    QTextDocument doc;
    doc.setDocumentMargin(0);
    doc.setDefaultFont(grid.font());
    doc.setHtml(ListingTableModel::titleMarkup(shown.text, tail.trimmed()));
    doc.setTextWidth(width);
    doc.size();
    QVERIFY(doc.firstBlock().layout()->lineCount() <= lines);
    QVERIFY(doc.firstBlock().layout()->lineCount() >= lines - 1);
    const QString plain = doc.toPlainText();
    QVERIFY2(plain.startsWith(QStringLiteral("超长标题<b>粗体</b> & 超长标题")), qPrintable(plain));
    QVERIFY(plain.endsWith(QChar(0x2026) + tail));
    for (const QChar c : plain)
        QVERIFY(c.category() != QChar::Other_Control);

    // The row keeps every character: the detail window opens from it; the hint leads there.
    QCOMPARE(grid.dataRow(1).field(1), huge);
    const QModelIndex title = grid.model()->index(1, 1);
    QCOMPARE(title.data(ListingTableModel::TitleRole).toString(), huge);
    QVERIFY(title.data().toString().startsWith(huge));
    QCOMPARE(title.data(Qt::ToolTipRole).toString(), QStringLiteral("双击查看详情"));

    // A short text is shown as it is.
    const CellTextElider::Shown plainTitle =
        CellTextElider::elide(QStringLiteral("钢材  20吨"), tail, grid.font(), width);
    QVERIFY(!plainTitle.elided);
    QCOMPARE(plainTitle.text, QStringLiteral("钢材 20吨"));
}

void ListingGridTest::landHintsLeaveOtherToolTipsAlone()
{
    const QColor applicationTip = QToolTip::palette().color(QPalette::ToolTipBase);
    QVERIFY(applicationTip != Theme::colour());
    ListingGridView grid(ListingFamily::Land);
    grid.resize(500, 300);
    grid.insertGridRow(0,
                       landRow(QStringLiteral("1"), QStringLiteral("钢材"), QStringLiteral("a")));
    QLabel other(QStringLiteral("其他"));
    other.setToolTip(QStringLiteral("其他提示"));
    grid.show();
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QVERIFY(QTest::qWaitForWindowExposed(&other));

    const QPoint cell = grid.visualRect(grid.model()->index(0, 1)).center();
    QHelpEvent overGrid(QEvent::ToolTip, cell, grid.viewport()->mapToGlobal(cell));
    QApplication::sendEvent(grid.viewport(), &overGrid);
    QTRY_VERIFY(shownToolTip());
    QCOMPARE(QToolTip::text(), QStringLiteral("双击查看详情"));
    QCOMPARE(shownToolTip()->palette().color(QPalette::ToolTipBase), Theme::colour());
    QCOMPARE(QToolTip::palette().color(QPalette::ToolTipBase), applicationTip);

    // Straight after, while the grid's hint is still up: the other widget's tip is plain.
    QHelpEvent overLabel(QEvent::ToolTip, QPoint(2, 2), other.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&other, &overLabel);
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("其他提示"));
    QCOMPARE(shownToolTip()->palette().color(QPalette::ToolTipBase), applicationTip);
    QCOMPARE(QToolTip::palette().color(QPalette::ToolTipBase), applicationTip);
    QToolTip::hideText();
}

void ListingGridTest::agesFollowTheClockAndOldRowsGrey()
{
    ListingTableModel model(ListingFamily::Land);
    QDateTime now(QDate(2026, 12, 8), QTime(20, 0));
    model.insertRow(0, landRow(QStringLiteral("1"), QStringLiteral("钢材"), QStringLiteral("a")));
    // Without a clock a grid tells no age.
    QCOMPARE(model.index(0, 1).data(ListingTableModel::AgeRole).toString(), QString());
    QVERIFY(!model.index(0, 1).data(Qt::ForegroundRole).isValid());

    model.setAgeClock([&now] { return now; });
    const auto ageOf = [&model](int row) {
        return model.index(row, 1).data(ListingTableModel::AgeRole).toString();
    };
    const auto greyed = [&model](int row) {
        return model.index(row, 1).data(ListingTableModel::StaleRole).toBool();
    };
    QCOMPARE(ageOf(0), QStringLiteral("29分钟前"));
    model.insertRow(1, GridRowBuilder::fromLand(LandRow::build(
                           QStringLiteral("2"), QStringLiteral("旧货"), QStringLiteral("1"),
                           QStringLiteral("2026-12-07 21:00:00"), QStringLiteral("b"),
                           QStringLiteral("C"), QStringLiteral("上海"))));
    model.insertRow(2, GridRowBuilder::fromLand(LandRow::build(
                           QStringLiteral("3"), QStringLiteral("无时间"), QStringLiteral("1"),
                           QStringLiteral("不详"), QStringLiteral("b"), QStringLiteral("C"),
                           QStringLiteral("上海"))));
    QCOMPARE(ageOf(1), QStringLiteral("23小时前"));
    QCOMPARE(ageOf(2), QString());
    QVERIFY(!greyed(1));

    // Half a minute on: only the row whose words changed is reported.
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    now = now.addSecs(30);
    model.refreshAges();
    QCOMPARE(ageOf(0), QStringLiteral("30分钟前"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 0);
    QCOMPARE(changed.at(0).at(1).toModelIndex().row(), 0);

    // An hour on: the old listing is a day old and greyed, in every cell.
    now = now.addSecs(3600);
    changed.clear();
    model.refreshAges();
    QCOMPARE(ageOf(0), QStringLiteral("1小时前"));
    QCOMPARE(ageOf(1), QStringLiteral("1天前"));
    QVERIFY(greyed(1));
    QVERIFY(!greyed(0));
    QVERIFY(model.index(1, 4).data(Qt::ForegroundRole).isValid());
    // Both changed rows in one report; the row without a time is left alone.
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 0);
    QCOMPARE(changed.at(0).at(1).toModelIndex().row(), 1);
    // The cell shows the age beside the short time, in its grey.
    QTextDocument doc;
    doc.setHtml(ListingTableModel::titleMarkup(QStringLiteral("钢材"),
                                               QStringLiteral("12-08 19:30"), ageOf(0)));
    QCOMPARE(doc.toPlainText(), QStringLiteral("钢材 12-08 19:30 1小时前"));

    // The refresh runs by itself, without the rows being loaded again.
    model.setAgeRefreshInterval(10);
    now = now.addSecs(3600);
    QTRY_COMPARE(ageOf(0), QStringLiteral("2小时前"));
    QCOMPARE(model.index(0, 1).data(ListingTableModel::TitleRole).toString(),
             QStringLiteral("钢材"));
}

QTEST_MAIN(ListingGridTest)
#include "tst_ListingGrid.moc"
