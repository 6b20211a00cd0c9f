#include "platform/columnwidths.h"
#include "platform/numberformat.h"

#include <QTest>

using namespace pel;

class TestNumberFormat : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void patterns_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("turkish");
        QTest::addColumn<QString>("english");
        const QString amount = QStringLiteral("#,###,##0.00");
        QTest::newRow("grouped") << 1234567.5 << amount << "1.234.567,50" << "1,234,567.50";
        QTest::newRow("small") << 0.5 << amount << "0,50" << "0.50";
        QTest::newRow("zero") << 0.0 << amount << "0,00" << "0.00";
        QTest::newRow("negative") << -1234.567 << amount << "-1.234,57" << "-1,234.57";
        QTest::newRow("half up") << 2.345 << amount << "2,35" << "2.35";
        QTest::newRow("carry") << 999.995 << amount << "1.000,00" << "1,000.00";
        QTest::newRow("no leading zero") << 0.5 << "#,###,##.00" << ",50" << ".50";
        QTest::newRow("negative rounds to zero") << -0.001 << amount << "0,00" << "0.00";
        QTest::newRow("TL suffix") << 1500.0 << ",0.00 TL;-,0.00 TL" << "1.500,00 TL"
                                   << "1,500.00 TL";
        QTest::newRow("TL negative section") << -1500.0 << ",0.00 TL;-,0.00 TL" << "-1.500,00 TL"
                                             << "-1,500.00 TL";
        QTest::newRow("optional decimals") << 5.0 << "0.##" << "5" << "5";
        QTest::newRow("optional decimals used") << 5.25 << "0.##" << "5,25" << "5.25";
        QTest::newRow("quoted literal") << 3.0 << "0 'adet'" << "3 adet" << "3 adet";
        QTest::newRow("zero section") << 0.0 << "0.00;-0.00;'yok'" << "yok" << "yok";
    }
    void patterns()
    {
        QFETCH(double, value);
        QFETCH(QString, pattern);
        QFETCH(QString, turkish);
        QFETCH(QString, english);
        QCOMPARE(formatFloat(value, pattern, QLocale(QLocale::Turkish, QLocale::Turkey)), turkish);
        QCOMPARE(formatFloat(value, pattern, QLocale(QLocale::English, QLocale::UnitedStates)),
                 english);
    }

    void roundHalfAwayFromZero()
    {
        QCOMPARE(roundHalfAway(2.345, 2), 2.35);
        QCOMPARE(roundHalfAway(-2.345, 2), -2.35);
        QCOMPARE(roundHalfAway(1.005, 2), 1.01);
        QCOMPARE(roundHalfAway(0.004, 2), 0.0);
    }

    void weightedWidths()
    {
        QCOMPARE(pel::weightedWidths({1, 2, 3}, 930), (std::vector<int>{150, 300, 450}));
        // unit is the whole part: (1000 - 30) / 6 = 161
        QCOMPARE(pel::weightedWidths({1, 2, 3}, 1000), (std::vector<int>{161, 322, 483}));
        QVERIFY(pel::weightedWidths({0, 0}, 930).empty());
        QCOMPARE(pel::weightedWidths({1}, 10), (std::vector<int>{0}));
        QVERIFY(screenIsNarrow(1152));
        QVERIFY(!screenIsNarrow(1153));
    }
};

QTEST_GUILESS_MAIN(TestNumberFormat)
#include "test_numberformat.moc"
