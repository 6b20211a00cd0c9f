#include "grid_testdata.h"

#include "platform/grid/gridexcel.h"
#include "platform/seams.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace pel;
using namespace gridtest;

namespace {
// Cells of the first sheet of a workbook: value text and number format.
struct Cell {
    QString value;
    QString format;
    bool isString = false;
};

QByteArray unzipMember(const QString& file, const QString& member)
{
    QProcess p;
    p.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, member});
    if (!p.waitForFinished(10000) || p.exitCode() != 0)
        return {};
    return p.readAllStandardOutput();
}

QMap<QString, Cell> readSheet(const QString& file)
{
    QStringList strings;
    {
        QXmlStreamReader x(unzipMember(file, QStringLiteral("xl/sharedStrings.xml")));
        QString cur;
        bool inSi = false;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == u"si") {
                inSi = true;
                cur.clear();
            } else if (x.isStartElement() && x.name() == u"t" && inSi) {
                cur += x.readElementText();
            } else if (x.isEndElement() && x.name() == u"si") {
                strings << cur;
                inSi = false;
            }
        }
    }
    QMap<int, QString> numFmts{{0, QStringLiteral("General")}};
    QList<int> xfFormats;
    {
        QXmlStreamReader x(unzipMember(file, QStringLiteral("xl/styles.xml")));
        bool inXfs = false;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == u"numFmt")
                numFmts.insert(x.attributes().value(QLatin1String("numFmtId")).toInt(),
                               x.attributes().value(QLatin1String("formatCode")).toString());
            else if (x.isStartElement() && x.name() == u"cellXfs")
                inXfs = true;
            else if (x.isEndElement() && x.name() == u"cellXfs")
                inXfs = false;
            else if (inXfs && x.isStartElement() && x.name() == u"xf")
                xfFormats << x.attributes().value(QLatin1String("numFmtId")).toInt();
        }
    }
    QMap<QString, Cell> cells;
    QXmlStreamReader x(unzipMember(file, QStringLiteral("xl/worksheets/sheet1.xml")));
    QString ref;
    Cell cell;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == u"c") {
            ref = x.attributes().value(QLatin1String("r")).toString();
            cell = {};
            cell.isString = x.attributes().value(QLatin1String("t")) == u"s";
            const int s = x.attributes().value(QLatin1String("s")).toInt();
            const int id = s < xfFormats.size() ? xfFormats[s] : 0;
            cell.format = numFmts.value(id, QString::number(id));
        } else if (x.isStartElement() && x.name() == u"v") {
            const QString v = x.readElementText();
            cell.value = cell.isString ? strings.value(v.toInt()) : v;
        } else if (x.isEndElement() && x.name() == u"c") {
            cells.insert(ref, cell);
        }
    }
    return cells;
}
} // namespace

class GridExcelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numberPatternsBecomeExcelFormats_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("excel");
        QTest::newRow("amount") << "#,###,##0.00" << "#,##0.00";
        QTest::newRow("suffix sections") << ",0.00 TL;-,0.00 TL"
                                         << "#,##0.00\" TL\";\"-\"#,##0.00\" TL\"";
        QTest::newRow("no leading zero") << "#,###,##.00" << "#,###.00";
        QTest::newRow("plain") << "0.###" << "0.###";
        QTest::newRow("quoted") << "'%' 0" << "\"% \"0";
        QTest::newRow("empty") << "" << "General";
    }
    void numberPatternsBecomeExcelFormats()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, excel);
        QCOMPARE(excelNumberFormat(pattern), excel);
    }

    void fileNamesGetTheXlsxExtension_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("xls") << "/tmp/a/rapor.xls" << "/tmp/a/rapor.xlsx";
        QTest::newRow("XLS") << "/tmp/a/rapor.XLS" << "/tmp/a/rapor.xlsx";
        QTest::newRow("xlsx") << "/tmp/a/rapor.xlsx" << "/tmp/a/rapor.xlsx";
        QTest::newRow("none") << "/tmp/a/rapor" << "/tmp/a/rapor.xlsx";
        QTest::newRow("dotted name") << "/tmp/a/rapor.2024" << "/tmp/a/rapor.2024.xlsx";
    }
    void fileNamesGetTheXlsxExtension()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QCOMPARE(excelFileName(chosen), written);
    }

    void exportWritesVisibleColumnsAndAllRowsAsShown()
    {
        QTemporaryDir dir;
        LocalTable t;
        fill(t);
        GridView g;
        g.setLocale(QLocale::c());
        auto cols = stockColumns();
        cols.push_back(GridColumn("kdvli", {}).caption(QStringLiteral("KDV Dahil"))
                           .text([](const GridRow& r) {
                               return QStringLiteral("%1 TL").arg(r.number(u"FIYAT") * 1.18, 0, 'f', 2);
                           }));
        g.setColumns(cols);
        g.setTable(&t);
        g.setFooterVisible(true);
        g.setColumnVisible(g.columnIndex(u"TARIH"), true);
        // sorted and filtered: the export follows the view
        g.sortBy(g.columnIndex(u"FIYAT"), Qt::DescendingOrder);
        g.setFilter(g.columnIndex(u"SATICI"), {QStringLiteral("Ahmet")});
        const QString path = dir.filePath(QStringLiteral("liste.xlsx"));
        QString error;
        QVERIFY2(g.exportExcel(path, &error), qPrintable(error));
        const auto cells = readSheet(path);
        QVERIFY(!cells.isEmpty());
        // header: Seç, Açıklama, Marka, Fiyat, Miktar, Tarih, KDV Dahil
        QCOMPARE(cells.value("A1").value, QStringLiteral("Seç"));
        QCOMPARE(cells.value("B1").value, QStringLiteral("Açıklama"));
        QCOMPARE(cells.value("D1").value, QStringLiteral("Fiyat"));
        QCOMPARE(cells.value("F1").value, QStringLiteral("Tarih"));
        QCOMPARE(cells.value("G1").value, QStringLiteral("KDV Dahil"));
        QVERIFY(!cells.contains("H1"));
        // rows 850.75 (14), 120.5 (10), 40 (12)
        QCOMPARE(cells.value("B2").value, QStringLiteral("AMORTİSÖR"));
        QVERIFY(!cells.contains("C2")); // null brand stays empty
        QCOMPARE(cells.value("D2").value.toDouble(), 850.75);
        QCOMPARE(cells.value("D2").format, QStringLiteral("#,##0.00"));
        QCOMPARE(cells.value("E2").value, QStringLiteral("4"));
        QCOMPARE(cells.value("F2").value.toDouble(), 46004.0);
        QCOMPARE(cells.value("F2").format, QStringLiteral("dd.mm.yyyy"));
        QCOMPARE(cells.value("G2").value, QStringLiteral("1003.88 TL"));
        QVERIFY(cells.value("G2").isString);
        QCOMPARE(cells.value("B3").value, QStringLiteral("FREN BALATASI"));
        QCOMPARE(cells.value("A3").value, QStringLiteral("0"));
        QCOMPARE(cells.value("B4").value, QStringLiteral("FİLTRE YAĞ"));
        QCOMPARE(cells.value("A4").value, QStringLiteral("0"));
        // footer: count of brands, average price, sum of quantities
        QCOMPARE(cells.value("C5").value, QStringLiteral("2"));
        QCOMPARE(cells.value("D5").value.toDouble(), (850.75 + 120.5 + 40.0) / 3);
        QCOMPARE(cells.value("D5").format, QStringLiteral("#,##0.00"));
        QCOMPARE(cells.value("E5").value, QStringLiteral("11"));
        QVERIFY(!cells.contains("B6"));
    }

    void exportExpandsCollapsedGroups()
    {
        QTemporaryDir dir;
        LocalTable t;
        fill(t);
        GridView g;
        g.setLocale(QLocale::c());
        g.setColumns(stockColumns());
        g.setTable(&t);
        g.groupBy(g.columnIndex(u"SATICI"));
        g.collapseAll();
        const QString path = dir.filePath(QStringLiteral("grup.xlsx"));
        QVERIFY(g.exportExcel(path));
        const auto cells = readSheet(path);
        QCOMPARE(cells.value("A2").value, QStringLiteral("SATICI : Ahmet"));
        QCOMPARE(cells.value("B3").value, QStringLiteral("FREN BALATASI"));
        QCOMPARE(cells.value("B5").value, QStringLiteral("AMORTİSÖR"));
        QCOMPARE(cells.value("D6").value.toDouble(), 1011.25); // group sum
        QCOMPARE(cells.value("E6").value, QStringLiteral("3"));  // group count
        QCOMPARE(cells.value("A7").value, QStringLiteral("SATICI : Mehmet"));
        QCOMPARE(cells.value("D10").value.toDouble(), 315.25);
    }

    void saveDialogAsksWithTheExcelFilterAndWritesXlsx()
    {
        QTemporaryDir dir;
        LocalTable t;
        fill(t);
        GridView g;
        g.setColumns(stockColumns());
        g.setTable(&t);
        QStringList filters;
        setModalHook([&](QDialog& d) {
            auto* fd = qobject_cast<QFileDialog*>(&d);
            if (!fd)
                return int(QDialog::Rejected);
            filters = fd->nameFilters();
            fd->setDirectory(dir.path());
            fd->selectFile(QStringLiteral("sepet.xls"));
            return int(QDialog::Accepted);
        });
        const QString written = g.saveExcelAs();
        QCOMPARE(filters, QStringList{QStringLiteral("Excel (*.xls*)")});
        QCOMPARE(QFileInfo(written).fileName(), QStringLiteral("sepet.xlsx"));
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("sepet.xlsx"))));
        QCOMPARE(readSheet(written).value("B2").value, QStringLiteral("FREN BALATASI"));

        // cancelled: nothing written
        setModalHook([](QDialog&) { return int(QDialog::Rejected); });
        QCOMPARE(g.saveExcelAs(), QString());

        // a folder that cannot be written: a message, no path
        QString message;
        setModalHook([&](QDialog& d) {
            if (auto* fd = qobject_cast<QFileDialog*>(&d)) {
                fd->setDirectory(dir.path());
                fd->selectFile(dir.filePath(QStringLiteral("yok/klasor/a.xls")));
                return int(QDialog::Accepted);
            }
            if (auto* mb = qobject_cast<QMessageBox*>(&d))
                message = mb->text();
            return int(QDialog::Accepted);
        });
        QCOMPARE(g.saveExcelAs(), QString());
        QVERIFY2(message.startsWith(QStringLiteral("Excel dosyası")), qPrintable(message));
        setModalHook({});
    }
};

QTEST_MAIN(GridExcelTest)
#include "grid_excel_test.moc"
