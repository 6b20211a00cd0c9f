#include "platform/error.h"
#include "remote/utils.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using pel::FieldDef;
using pel::FieldType;
using pel::LocalTable;

namespace {
void basket(LocalTable& t, std::initializer_list<int> sec)
{
    t.setFields({{QStringLiteral("SIRANO"), FieldType::Int32},
                 {QStringLiteral("SEC"), FieldType::Int32}});
    int i = 0;
    for (int s : sec) {
        const int r = t.appendRow();
        t.setValue(r, 0, 10 + i++);
        t.setValue(r, 1, s);
    }
}
} // namespace

class TestUtils : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void ikiHaneYuvarla_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("expected");
        const QLocale tr(QLocale::Turkish, QLocale::Turkey);
        const QLocale en(QLocale::English, QLocale::UnitedStates);
        for (const auto& [name, loc] : {std::pair{"tr", tr}, std::pair{"en", en}}) {
            QTest::addRow("%s 2.346", name) << loc << 2.346 << 2.35;
            QTest::addRow("%s 2.344", name) << loc << 2.344 << 2.34;
            QTest::addRow("%s -2.346", name) << loc << -2.346 << -2.35;
            QTest::addRow("%s 0.5", name) << loc << 0.5 << 0.5;
            QTest::addRow("%s 1234.5", name) << loc << 1234.5 << 1234.5;
            QTest::addRow("%s 2.345 half up", name) << loc << 2.345 << 2.35;
            QTest::addRow("%s 1234567.891", name) << loc << 1234567.891 << 1234567.89;
            QTest::addRow("%s 0", name) << loc << 0.0 << 0.0;
        }
    }
    void ikiHaneYuvarla()
    {
        QFETCH(QLocale, locale);
        QFETCH(double, x);
        QFETCH(double, expected);
        QLocale::setDefault(locale);
        QCOMPARE(IkiHaneYuvarla(x), expected);
    }

    void ikiHaneYuvarlaRunningSum()
    {
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        double toplam = 0;
        for (double x : {0.125, 0.125})
            toplam = IkiHaneYuvarla(toplam + x);
        QCOMPARE(toplam, 0.26);
    }

    void hexResimCoz()
    {
        QCOMPARE(HexResimCoz(u"FFD8"), QByteArray("\xFF\xD8", 2));
        QCOMPARE(HexResimCoz(u"ABC"), QByteArray("\xAB\x0C", 2));
        QCOMPARE(HexResimCoz(u"ffd8"), QByteArray("\xFF\xD8", 2));
        QCOMPARE(HexResimCoz(u""), QByteArray());
        for (const char16_t* bad : {u"FG", u"F D8", u"\u00C7A"}) {
            bool raised = false;
            try {
                HexResimCoz(bad);
            } catch (const pel::Error& e) {
                raised = true;
                QCOMPARE(e.kind(), QStringLiteral("EConvertError"));
                QVERIFY(!e.text().isEmpty());
            }
            QVERIFY2(raised, qPrintable(QString::fromUtf16(bad)));
        }
    }

    void sayiBicimiVerChangesOnlyDoubleFields()
    {
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        LocalTable t;
        t.setFields({{QStringLiteral("ADET"), FieldType::Int32},
                     {QStringLiteral("FIYAT"), FieldType::Double},
                     {QStringLiteral("BAKIYE"), FieldType::Currency},
                     {QStringLiteral("ORAN"), FieldType::BCD}});
        const int r = t.appendRow();
        for (int c = 0; c < 4; ++c)
            t.setValue(r, c, 1234567.5);
        SayiBicimiVer(t);
        QCOMPARE(t.displayFormat(0), QString());
        QCOMPARE(t.displayFormat(1), QStringLiteral("#,###,##0.00"));
        QCOMPARE(t.displayFormat(2), QString());
        QCOMPARE(t.displayFormat(3), QString());
        QCOMPARE(t.displayText(r, 1), QStringLiteral("1.234.567,50"));
    }

    void kayitVarmi()
    {
        LocalTable t;
        QVERIFY(!KayitVarmi(t));
        basket(t, {});
        t.open();
        QVERIFY(!KayitVarmi(t));
        t.appendRow();
        QVERIFY(KayitVarmi(t));
        t.close();
        QVERIFY(!KayitVarmi(t));
    }

    void seciliVarmi()
    {
        LocalTable none;
        basket(none, {0, 0, 0, 0});
        none.first();
        QVERIFY(!SeciliVarmi(none));
        QCOMPARE(none.currentRow(), 3); // the walk ends on the last row

        LocalTable third;
        basket(third, {0, 0, 1, 0, 1});
        QVERIFY(SeciliVarmi(third));
        QCOMPARE(third.currentRow(), 2);
        QCOMPARE(third.fieldValue(u"SIRANO").toInt(), 12);

        LocalTable empty;
        basket(empty, {});
        empty.open();
        QVERIFY(!SeciliVarmi(empty));
        QCOMPARE(empty.currentRow(), -1);

        LocalTable closed;
        basket(closed, {1});
        closed.setCurrentRow(0);
        closed.close();
        QVERIFY(!SeciliVarmi(closed));
    }

    void veriKlasoruAlCreatesOnce()
    {
        QTemporaryDir base;
        QVERIFY(base.isValid());
        qputenv("XDG_CONFIG_HOME", base.path().toUtf8());
        const QString expected = QDir::toNativeSeparators(base.path() + QStringLiteral("/pelmora"));
        QVERIFY(!QDir(expected).exists());
        const QString first = VeriKlasoruAl();
        QCOMPARE(first, expected);
        QVERIFY(QDir(expected).exists());
        QFile marker(expected + QStringLiteral("/ayar.ini"));
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.close();
        QCOMPARE(VeriKlasoruAl(), first);
        QVERIFY(marker.exists()); // the existing folder is left as it is
    }

    void belgelerKlasoruAl()
    {
        qputenv("XDG_DOCUMENTS_DIR", "/tmp/belgeler");
        QCOMPARE(BelgelerKlasoruAl(), QStringLiteral("/tmp/belgeler"));
        qunsetenv("XDG_DOCUMENTS_DIR");
        qputenv("HOME", "/home/bayi");
        QCOMPARE(BelgelerKlasoruAl(), QStringLiteral("/home/bayi/Documents"));
    }
};

QTEST_GUILESS_MAIN(TestUtils)
#include "test_utils.moc"
