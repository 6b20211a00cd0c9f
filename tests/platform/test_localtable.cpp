#include "platform/datetime.h"
#include "platform/localtable.h"

#include <QSignalSpy>
#include <QTest>

using namespace pel;

namespace {
QList<FieldDef> stockFields()
{
    return {{QStringLiteral("STOK_STOKNO"), FieldType::Int32},
            {QStringLiteral("ADI"), FieldType::WideString, 100},
            {QStringLiteral("FIYAT"), FieldType::Double},
            {QStringLiteral("KDV"), FieldType::Currency},
            {QStringLiteral("YENI"), FieldType::Boolean},
            {QStringLiteral("TARIH"), FieldType::Date}};
}

void fill(LocalTable& t, int rows)
{
    t.setFields(stockFields());
    t.disableControls();
    for (int i = 0; i < rows; ++i) {
        const int r = t.appendRow();
        t.setValue(r, 0, 100 + i);
        t.setValue(r, 1, QStringLiteral("PARÇA %1").arg(i));
        t.setValue(r, 2, 10.5 * i);
    }
    t.enableControls();
}
} // namespace

class TestLocalTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typedValuesRoundTrip()
    {
        LocalTable t;
        t.setFields(stockFields());
        const int r = t.appendRow();
        t.setValue(r, 0, 101);
        t.setValue(r, 1, QStringLiteral("YAĞ FİLTRESİ"));
        t.setValue(r, 2, 450.5);
        t.setValue(r, 3, 18);
        t.setValue(r, 4, true);
        t.setValue(r, 5, QDate(2026, 12, 11));
        QCOMPARE(t.value(r, 0).typeId(), int(QMetaType::Int));
        QCOMPARE(t.value(r, 0).toInt(), 101);
        QCOMPARE(t.value(r, 1).toString(), QStringLiteral("YAĞ FİLTRESİ"));
        QCOMPARE(t.value(r, 2).toDouble(), 450.5);
        QCOMPARE(t.value(r, 3).toDouble(), 18.0);
        QCOMPARE(t.value(r, 4).toBool(), true);
        QCOMPARE(t.value(r, 5).toDate(), QDate(2026, 12, 11));
        // a fresh row is null in every column
        const int r2 = t.appendRow();
        for (int c = 0; c < t.fieldCount(); ++c) {
            QVERIFY(t.isNull(r2, c));
            QVERIFY(!t.value(r2, c).isValid());
        }
    }

    void textOverwriteKeepsOtherRows()
    {
        LocalTable t;
        t.setFields(stockFields());
        t.appendRows(3);
        for (int r = 0; r < 3; ++r)
            t.setValue(r, 1, QStringLiteral("SATIR %1").arg(r));
        t.setValue(1, 1, QStringLiteral("X"));                       // shorter, in place
        t.setValue(2, 1, QStringLiteral("ÇOK DAHA UZUN BİR METİN")); // longer, appended
        QCOMPARE(t.value(0, 1).toString(), QStringLiteral("SATIR 0"));
        QCOMPARE(t.value(1, 1).toString(), QStringLiteral("X"));
        QCOMPARE(t.value(2, 1).toString(), QStringLiteral("ÇOK DAHA UZUN BİR METİN"));
        // many rewrites compact the arena and keep every value
        for (int i = 0; i < 20000; ++i)
            t.setValue(i % 3, 1, QStringLiteral("DEĞER %1 ").repeated(3).arg(i));
        QCOMPARE(t.value(19999 % 3, 1).toString(), QStringLiteral("DEĞER 19999 ").repeated(3));
        QCOMPARE(t.value(19998 % 3, 1).toString(), QStringLiteral("DEĞER 19998 ").repeated(3));
    }

    void walkingFirstNextEnd()
    {
        LocalTable t;
        fill(t, 3);
        t.first();
        QCOMPARE(t.currentRow(), 0);
        QVERIFY(!t.atEnd());
        t.next();
        t.next();
        QCOMPARE(t.currentRow(), 2);
        QVERIFY(!t.atEnd());
        t.next();
        QVERIFY(t.atEnd());
        QCOMPARE(t.currentRow(), 2); // stays on the last row
        t.emptyTable();
        t.first();
        QVERIFY(t.atEnd());
        QCOMPARE(t.currentRow(), -1);
    }

    void locateByKeyColumn()
    {
        LocalTable t;
        fill(t, 5);
        QVERIFY(t.locate(u"STOK_STOKNO", 103));
        QCOMPARE(t.currentRow(), 3);
        QVERIFY(t.locate(u"STOK_STOKNO", QStringLiteral("101"))); // numeric text agrees
        QCOMPARE(t.currentRow(), 1);
        QVERIFY(t.locate(u"ADI", QStringLiteral("PARÇA 4")));
        QCOMPARE(t.currentRow(), 4);
        QVERIFY(!t.locate(u"STOK_STOKNO", 999));
        QCOMPARE(t.currentRow(), 4); // unchanged when not found
        QVERIFY(!t.locate(u"YOK", 1));
        QCOMPARE(t.fieldValue(u"stok_stokno").toInt(), 104); // names ignore case
    }

    void openCloseAndReplace()
    {
        LocalTable t;
        QVERIFY(!t.isOpen());
        fill(t, 2);
        QVERIFY(t.isOpen());
        t.close();
        QVERIFY(!t.isOpen());
        QCOMPARE(t.rowCount(), 0);

        TableData d({{QStringLiteral("SIRANO"), FieldType::Int32},
                     {QStringLiteral("SEC"), FieldType::Int16}});
        d.appendRows(2);
        d.setInt(0, 0, 7);
        d.setInt(1, 0, 8);
        t.replaceContent(std::move(d));
        QVERIFY(t.isOpen());
        QCOMPARE(t.fieldCount(), 2);
        QCOMPARE(t.field(1).name, QStringLiteral("SEC"));
        QCOMPARE(t.rowCount(), 2);
        QCOMPARE(t.currentRow(), 0);
        QCOMPARE(t.value(1, 0).toInt(), 8);
    }

    void viewsAreToldOnceWhileUpdatesAreOff()
    {
        LocalTable t;
        t.setFields(stockFields());
        QSignalSpy reset(&t, &LocalTable::contentReset);
        QSignalSpy appended(&t, &LocalTable::rowsAppended);
        QSignalSpy changed(&t, &LocalTable::valueChanged);
        t.disableControls();
        t.disableControls(); // nested
        for (int i = 0; i < 100; ++i)
            t.setValue(t.appendRow(), 0, i);
        t.enableControls();
        QCOMPARE(reset.count(), 0);
        t.enableControls();
        QCOMPARE(reset.count(), 1);
        QCOMPARE(appended.count(), 0);
        QCOMPARE(changed.count(), 0);
        // with updates on, each change is told as it happens
        t.setValue(0, 0, 5);
        QCOMPARE(changed.count(), 1);
        t.appendRow();
        QCOMPARE(appended.count(), 1);
    }

    void displayFormatAppliesToNumbersOnly()
    {
        QLocale tr(QLocale::Turkish, QLocale::Turkey);
        LocalTable t;
        t.setFields(stockFields());
        const int r = t.appendRow();
        t.setValue(r, 1, QStringLiteral("1234567.5"));
        t.setValue(r, 2, 1234567.5);
        t.setDisplayFormat(1, QStringLiteral("#,###,##0.00"));
        t.setDisplayFormat(2, QStringLiteral("#,###,##0.00"));
        QCOMPARE(t.displayText(r, 2, tr), QStringLiteral("1.234.567,50"));
        QCOMPARE(t.displayText(r, 1, tr), QStringLiteral("1234567.5"));
        QCOMPARE(t.displayText(r, 3, tr), QString()); // null
    }

    void compareOrdersNullsFirstAndTextIgnoringCase()
    {
        TableData d({{QStringLiteral("A"), FieldType::WideString},
                     {QStringLiteral("B"), FieldType::Double}});
        d.appendRows(3);
        d.setText(0, 0, u"balata");
        d.setText(1, 0, u"BALATA");
        d.setReal(0, 1, 2.5);
        d.setReal(1, 1, -1.0);
        QCOMPARE(d.compare(0, 1, 0), 0);
        QVERIFY(d.compare(2, 0, 0) < 0); // null first
        QVERIFY(d.compare(1, 0, 1) < 0);
    }

    void holdsALargeTableInFlatStorage()
    {
        // 100,000 x 40 with a mix of kinds: storage is per column, not per cell.
        QList<FieldDef> fields;
        for (int c = 0; c < 40; ++c)
            fields.append({QStringLiteral("F%1").arg(c),
                           c % 3 == 0 ? FieldType::WideString
                                      : (c % 3 == 1 ? FieldType::Double : FieldType::Int32)});
        TableData d(fields);
        d.reserve(100000);
        d.appendRows(100000);
        for (int c = 0; c < 40; ++c)
            for (int r = 0; r < 100000; ++r) {
                if (c % 3 == 0)
                    d.setText(r, c, u"FREN BALATASI");
                else if (c % 3 == 1)
                    d.setReal(r, c, r * 0.5);
                else
                    d.setInt(r, c, r);
            }
        QCOMPARE(d.rowCount(), 100000);
        QCOMPARE(d.textAt(99999, 39).toString(), QStringLiteral("FREN BALATASI"));
        QCOMPARE(d.realAt(50000, 1), 25000.0);
        // What the values need: UTF-16 text plus 8-9 bytes a cell. The storage
        // stays within twice that (vector and arena growth), far below a
        // per-cell object.
        const size_t textCols = 14, cells = size_t(100000) * 40;
        const size_t payload = textCols * 100000 * 13 * 2 + cells * 9;
        qInfo("storage %zu bytes for %zu bytes of values", d.memoryUsed(), payload);
        QVERIFY(d.memoryUsed() < 2 * payload);
    }

    void dayCountDates()
    {
        QCOMPARE(toDayCount(QDate(1899, 12, 30)), 0.0);
        QCOMPARE(toDayCount(QDate(1900, 1, 1)), 2.0);
        const QDateTime noon(QDate(2026, 12, 11), QTime(12, 0));
        QCOMPARE(fromDayCount(toDayCount(noon)), noon);
        QVERIFY(!fromDayCount(1e300).isValid());
    }
};

QTEST_GUILESS_MAIN(TestLocalTable)
#include "test_localtable.moc"
