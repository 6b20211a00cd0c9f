// The wire codec: marshalled objects, tables, streams and the envelopes.

#include "remote/baglantiu.h"
#include "remote/mobilstokunit.h"
#include "remote/wire/wire.h"

#include <QFile>
#include <QTest>

using namespace pel::wire;

namespace {
QByteArray readData(const char* name)
{
    QFile f(QStringLiteral(PELMORA_TEST_DATA "/") + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", name);
    return f.readAll().trimmed();
}

TSonucBilgisi sampleRecord()
{
    TSonucBilgisi k;
    k.SetBILGISAYARID(u"WD-WCC4N1234567"_qs);
    k.SetSaticiMail(u"satis@pelmora.com.tr"_qs);
    k.SetSirano(17);
    k.SetCariAdi(u"ÖZ GÜVEN OTO YEDEK PARÇA"_qs);
    k.SetSIFRE(u"gizli\"1\\2"_qs);
    k.SetSaticiNo(3);
    k.SetCARINO(1042);
    k.SetAKTIF(1);
    k.SetADI(u"mehmet"_qs);
    k.SetSaticiTelefon(u"0212 555 10 20"_qs);
    k.Setcarikod(u"120.01.042"_qs);
    k.SetVarmi(true);
    k.SetSaticiAdi(u"Ayşe Şahin"_qs);
    k.SetBilgiSayarAdi(u"MAGAZA-PC"_qs);
    k.SetDisip(u"85.105.1.2"_qs);
    k.SetIcip(u"192.168.1.20"_qs);
    k.SetBilgisayarKullanici(u"kasa"_qs);
    k.SetMusteriTipi(0);
    k.SetVersion(1);
    return k;
}

TAcilisEkran screen(int no, const char16_t* resim, const char16_t* baslik, const char16_t* arama)
{
    TAcilisEkran e;
    e.SetSiraNo(no);
    e.SetResim(QString::fromUtf16(resim));
    e.SetBaslik(QString::fromUtf16(baslik));
    e.SetArama(QString::fromUtf16(arama));
    return e;
}

template <class T>
bool sameFields(const T& a, const T& b)
{
    return marshal(a) == marshal(b);
}

// Runs f and returns the text of the pel::Error it throws (empty when none).
template <class F>
QString errorOf(F&& f)
{
    try {
        f();
    } catch (const pel::Error& e) {
        return e.text().isEmpty() ? QStringLiteral("(boş metin)") : e.text();
    }
    return {};
}
} // namespace

class TestWire : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void identityRecordMarshalsLikeTheSample()
    {
        const QByteArray golden = readData("sonucbilgisi.json");
        QCOMPARE(marshal(sampleRecord()), golden);
        const auto back = unmarshal<TSonucBilgisi>(golden);
        QVERIFY(back);
        QVERIFY(sameFields(*back, sampleRecord()));
        QCOMPARE(back->CariAdi(), u"ÖZ GÜVEN OTO YEDEK PARÇA"_qs);
        QCOMPARE(back->Varmi(), true);
    }

    void identityRecordHasTwentyFieldsInOrder()
    {
        const Document d = Document::parse(marshal(TSonucBilgisi()));
        const Value root = d.root();
        QCOMPARE(root.first().key(), u"type");
        QCOMPARE(root.member(u"id").toInt64(), 1);
        const Value fields = root.member(u"fields");
        QCOMPARE(fields.size(), 20);
        QCOMPARE(fields.first().key(), u"FBILGISAYARID");
        QCOMPARE(fields.member(u"FVarmi").toBool(), false);
        QCOMPARE(fields.member(u"FMusteriTipi").toInt32(), 1);
        QCOMPARE(fields.member(u"FVersion").toInt32(), 1);
    }

    void announcementListMarshalsLikeTheSample()
    {
        TAcilisEkranlariki liste;
        liste.SetEkranlar({screen(1, u"FFD8", u"Yeni Kampanya", u"#KAMPANYA#"),
                           screen(2, u"", u"Yeni Gelenler", u"#YENİ#"),
                           screen(3, u"89504E47", u"Fren Balatası", u"BALATA")});
        const QByteArray golden = readData("acilisekranlariki.json");
        QCOMPARE(marshal(liste), golden);

        const auto back = unmarshal<TAcilisEkranlariki>(golden);
        QVERIFY(back);
        QCOMPARE(back->Ekranlar().size(), 3);
        QCOMPARE(back->Ekranlar()[1].Arama(), u"#YENİ#"_qs);
        QCOMPARE(back->Ekranlar()[2].SiraNo(), 3);
        QVERIFY(back->Ekranlar()[1].Resim().isEmpty());
    }

    void emptyAnnouncementListIsEmptyArray()
    {
        QCOMPARE(marshal(TAcilisEkranlariki()),
                 QByteArray("{\"type\":\"mobilstokunit.TAcilisEkranlariki\",\"id\":1,"
                            "\"fields\":{\"FEkranlar\":[]}}"));
        const auto fromNull = unmarshal<TAcilisEkranlariki>(
            "{\"type\":\"mobilstokunit.TAcilisEkranlariki\",\"id\":1,\"fields\":{\"FEkranlar\":null}}");
        QVERIFY(fromNull && fromNull->Ekranlar().isEmpty());
    }

    void doublesCarryDecimalPoint()
    {
        TMobilCariBilgisi c;
        c.SetTLBORC(1250.5);
        c.SetCARINO(7);
        const QByteArray j = marshal(c);
        QVERIFY(j.contains("\"FTLBORC\":1250.5,\"FTLALACAK\":0.0,"));
        QVERIFY(j.contains("\"FCARINO\":7,\"FTLBAKIYE\":0.0,"));
        const auto back = unmarshal<TMobilCariBilgisi>(j);
        QVERIFY(back && sameFields(*back, c));

        Writer w;
        w.real(1e21);
        w.raw(' ');
        w.real(-0.125);
        w.raw(' ');
        w.real(3);
        QCOMPARE(w.take(), QByteArray("1.0e+21 -0.125 3.0"));
    }

    void transferObjectDefaultsAndCopy()
    {
        TTusSonuclari t;
        QCOMPARE(t.Alindi() + t.Onaylandi() + t.ParcaliHazirlandi() + t.SevkEdildi() +
                     t.Hazirlandi() + t.Goruldu(),
                 0);
        TTusSonuclari src;
        src.SetAlindi(1), src.SetOnaylandi(2), src.SetParcaliHazirlandi(3), src.SetSevkEdildi(4),
            src.SetHazirlandi(5), src.SetGoruldu(6);
        t.Kopyala(src);
        QVERIFY(sameFields(t, src));
        QCOMPARE(src.Goruldu(), 6);

        TSiparisDipAyrinti d, ds;
        ds.SetSizinMesaj(u"acele"_qs);
        ds.SetSaticiNotu(u"not"_qs);
        d.Kopyala(ds);
        QCOMPARE(d.SizinMesaj(), u"acele"_qs);
        QCOMPARE(d.SaticiNotu(), u"not"_qs);
        QCOMPARE(marshal(TSiparisDipAyrinti()).count("\"\""), 8);

        TMobilCariBilgisi m;
        QCOMPARE(m.CARINO(), 0);
        QCOMPARE(m.TLBAKIYE(), 0.0);
        TAcilisEkran e;
        QCOMPARE(e.SiraNo(), 0);
        QVERIFY(e.Resim().isEmpty());
    }

    void readingObjects_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<int>("carino");
        QTest::addColumn<int>("musteriTipi");
        const QByteArray h = "{\"type\":\"baglantiu.TSonucBilgisi\",\"id\":1,\"fields\":";
        QTest::newRow("unknown field ignored") << h + "{\"FYeni\":[1,2],\"FCARINO\":5}}" << false << 5 << 1;
        QTest::newRow("missing fields keep defaults") << h + "{}}" << false << 0 << 1;
        QTest::newRow("integral double accepted") << h + "{\"FCARINO\":5.0}}" << false << 5 << 1;
        QTest::newRow("string for integer") << h + "{\"FCARINO\":\"5\"}}" << true << 0 << 0;
        QTest::newRow("fraction for integer") << h + "{\"FCARINO\":5.5}}" << true << 0 << 0;
        QTest::newRow("too big for integer") << h + "{\"FCARINO\":4294967296}}" << true << 0 << 0;
        QTest::newRow("number for string") << h + "{\"FADI\":12}}" << true << 0 << 0;
        QTest::newRow("null for string") << h + "{\"FADI\":null}}" << true << 0 << 0;
        QTest::newRow("integer for boolean") << h + "{\"FVarmi\":1}}" << true << 0 << 0;
        QTest::newRow("unknown type")
            << QByteArray("{\"type\":\"baglantiu.TBaska\",\"id\":1,\"fields\":{}}") << true << 0 << 0;
        QTest::newRow("no type") << QByteArray("{\"id\":1,\"fields\":{}}") << true << 0 << 0;
        QTest::newRow("no fields")
            << QByteArray("{\"type\":\"baglantiu.TSonucBilgisi\",\"id\":1}") << true << 0 << 0;
        QTest::newRow("array instead of object") << QByteArray("[1]") << true << 0 << 0;
        QTest::newRow("not json") << QByteArray("{\"type\":") << true << 0 << 0;
        QTest::newRow("trailing garbage") << h + "{}}x" << true << 0 << 0;
    }
    void readingObjects()
    {
        QFETCH(QByteArray, json);
        QFETCH(bool, fails);
        std::unique_ptr<TSonucBilgisi> k;
        const QString err = errorOf([&] { k = unmarshal<TSonucBilgisi>(json); });
        QCOMPARE(!err.isEmpty(), fails);
        if (!fails) {
            QVERIFY(k);
            QTEST(k->CARINO(), "carino");
            QTEST(k->MusteriTipi(), "musteriTipi");
        }
    }

    void nullObjectIsNoObject()
    {
        QVERIFY(!unmarshal<TSiparisDipAyrinti>("null"));
        const QString e = errorOf([] {
            unmarshal<TAcilisEkranlariki>(
                "{\"type\":\"mobilstokunit.TAcilisEkranlariki\",\"id\":1,\"fields\":{\"FEkranlar\":[null]}}");
        });
        QVERIFY(!e.isEmpty());
    }

    void handWrittenTableLoads()
    {
        const pel::TableData t = decodeTable(readData("stok_tablosu.json"));
        QCOMPARE(t.fieldCount(), 12);
        QCOMPARE(t.rowCount(), 2);
        using FT = pel::FieldType;
        const FT kinds[] = {FT::Int32, FT::WideString, FT::Double,   FT::Boolean,
                            FT::Currency, FT::BCD,     FT::Int64,    FT::DateTime,
                            FT::Date,   FT::Time,      FT::BinaryBlob, FT::Int16};
        for (int c = 0; c < 12; ++c)
            QCOMPARE(t.field(c).type, kinds[c]);
        QCOMPARE(t.field(1).size, 100);
        QCOMPARE(t.field(5).scale, 2);
        QCOMPARE(t.field(5).precision, 12);

        QCOMPARE(t.value(1, 0).toInt(), 102);
        QCOMPARE(t.value(1, 1).toString(), u"YAĞ FİLTRESİ"_qs);
        QCOMPARE(t.value(0, 2).toDouble(), 450.5);
        QVERIFY(t.isNull(1, 2));
        QCOMPARE(t.value(0, 3).toBool(), true);
        QCOMPARE(t.value(1, 3).toBool(), false);
        QCOMPARE(t.value(0, 4).toDouble(), 18.0);
        QCOMPARE(t.value(0, 5).toDouble(), 12.5);
        QCOMPARE(t.value(0, 6).toLongLong(), Q_INT64_C(9007199254740993));
        QCOMPARE(t.value(1, 6).toLongLong(), -4);
        QCOMPARE(t.value(0, 7).toDateTime(), QDateTime(QDate(2024, 3, 15), QTime(14, 30)));
        QVERIFY(t.isNull(1, 7));
        QCOMPARE(t.realAt(0, 8), 0.0);
        QCOMPARE(t.value(1, 8).toDate(), QDate(2024, 2, 29));
        QCOMPARE(t.realAt(0, 9), 0.5);
        QCOMPARE(t.realAt(1, 9), 0.25);
        QCOMPARE(t.bytesAt(0, 10), QByteArray("\xff\xd8", 2));
        QVERIFY(!t.isNull(1, 10));
        QCOMPARE(t.value(0, 11).toInt(), -32768);
    }

    void tableRoundTrip()
    {
        const pel::TableData t = decodeTable(readData("stok_tablosu.json"));
        const QByteArray again = encodeTable(t);
        const pel::TableData u = decodeTable(again);
        QCOMPARE(u.fieldCount(), t.fieldCount());
        QCOMPARE(u.rowCount(), t.rowCount());
        for (int c = 0; c < t.fieldCount(); ++c) {
            QCOMPARE(u.field(c).name, t.field(c).name);
            QCOMPARE(u.field(c).type, t.field(c).type);
            for (int r = 0; r < t.rowCount(); ++r) {
                QCOMPARE(u.isNull(r, c), t.isNull(r, c));
                QCOMPARE(u.value(r, c), t.value(r, c));
            }
        }
        QVERIFY(again.startsWith("{\"table\":[[\"STOK_STOKNO\",6,0,0,0,4,0,0,true,false,0,false,false],"));
        QVERIFY(again.contains("\"FIYAT\":[450.5,null]"));
        QVERIFY(again.contains("\"GUN\":[\"1899-12-30\",\"2024-02-29\"]"));
        QCOMPARE(encodeTable(pel::TableData()), QByteArray("{\"table\":[]}"));
    }

    void datesBeforeTheEpochAndLoneSurrogates()
    {
        pel::TableData t({pel::FieldDef{u"T"_qs, pel::FieldType::DateTime},
                          pel::FieldDef{u"S"_qs, pel::FieldType::WideString}});
        t.appendRows(1);
        t.setReal(0, 0, -1.25);
        const QString yalniz(QChar(char16_t(0xD800)));
        t.setText(0, 1, yalniz);
        const QByteArray j = encodeTable(t);
        QVERIFY2(j.contains("\"1899-12-29T06:00:00.000\""), j.constData());
        QVERIFY(j.contains("\"\\ud800\""));
        const pel::TableData u = decodeTable(j);
        QCOMPARE(u.realAt(0, 0), -1.25);
        QCOMPARE(u.textAt(0, 1), QStringView(yalniz));
    }

    void badTables_data()
    {
        QTest::addColumn<QByteArray>("json");
        const QByteArray a = "[\"A\",6,0,0,0,4,0,0,true,false,0,false,false]";
        QTest::newRow("columns differ in length")
            << QByteArray("{\"table\":[[\"A\",6],[\"B\",1]],\"A\":[1,2],\"B\":[\"x\"]}");
        QTest::newRow("unknown data type") << QByteArray("{\"table\":[[\"A\",99]],\"A\":[1]}");
        QTest::newRow("type is not a number") << QByteArray("{\"table\":[[\"A\",\"6\"]],\"A\":[1]}");
        QTest::newRow("definition too short") << QByteArray("{\"table\":[[\"A\"]],\"A\":[1]}");
        QTest::newRow("no values for a column") << QByteArray("{\"table\":[" + a + "]}");
        QTest::newRow("values not an array") << QByteArray("{\"table\":[" + a + "],\"A\":5}");
        QTest::newRow("no table member") << QByteArray("{\"A\":[1]}");
        QTest::newRow("not an object") << QByteArray("[1,2]");
        QTest::newRow("duplicate column")
            << QByteArray("{\"table\":[[\"A\",6],[\"a\",6]],\"A\":[1],\"a\":[1]}");
        QTest::newRow("string in integer column") << QByteArray("{\"table\":[[\"A\",6]],\"A\":[\"1\"]}");
        QTest::newRow("int32 overflow") << QByteArray("{\"table\":[[\"A\",6]],\"A\":[2147483648]}");
        QTest::newRow("fraction in integer column") << QByteArray("{\"table\":[[\"A\",18]],\"A\":[1.5]}");
        QTest::newRow("number in string column") << QByteArray("{\"table\":[[\"A\",1]],\"A\":[1]}");
        QTest::newRow("bad date") << QByteArray("{\"table\":[[\"A\",2]],\"A\":[\"2024-02-30\"]}");
        QTest::newRow("bad time") << QByteArray("{\"table\":[[\"A\",10]],\"A\":[\"25:00:00\"]}");
        QTest::newRow("bad base64") << QByteArray("{\"table\":[[\"A\",3]],\"A\":[\"@@@\"]}");
        QTest::newRow("bad decimal") << QByteArray("{\"table\":[[\"A\",8]],\"A\":[\"1,2x\"]}");
        QTest::newRow("cut short") << QByteArray("{\"table\":[[\"A\",6]],\"A\":[1,2");
    }
    void badTables()
    {
        QFETCH(QByteArray, json);
        QVERIFY(!errorOf([&] { decodeTable(json); }).isEmpty());
    }

    void streams()
    {
        QByteArray bytes;
        for (int k = 0; k < 256; ++k)
            bytes += char(k);
        const QByteArray j = encodeStream(bytes);
        QVERIFY(j.startsWith("[0,1,2,"));
        QVERIFY(j.endsWith(",254,255]"));
        QCOMPARE(decodeStream(j), bytes);
        QCOMPARE(encodeStream(QByteArray()), QByteArray("[]"));
        QCOMPARE(decodeStream("[]"), QByteArray());
        for (const char* bad : {"[256]", "[-1]", "[1.5]", "[\"1\"]", "[null]", "{}", "[1,"})
            QVERIFY2(!errorOf([&] { decodeStream(bad); }).isEmpty(), bad);
    }

    void parametersBody()
    {
        TSonucBilgisi k;
        ListBuilder p;
        p.add(u"BOSCH").add(qint32(-3)).add(2.5).add(true).add(k).addNull();
        const QByteArray body = p.parametersBody();
        QVERIFY(body.startsWith("{\"_parameters\":[\"BOSCH\",-3,2.5,true,{\"type\":\"baglantiu.TSonucBilgisi\",\"id\":1,"));
        QVERIFY(body.endsWith("}},null]}"));
        const ListReader r = decodeParameters(body);
        QCOMPARE(r.size(), 6);
        QCOMPARE(r[0].toText(), u"BOSCH"_qs);
        QCOMPARE(r[1].toInt32(), -3);
        QCOMPARE(r[2].toDouble(), 2.5);
        QCOMPARE(r[3].toBool(), true);
        QVERIFY(readObject<TSonucBilgisi>(r[4]));
        QVERIFY(!readObject<TSonucBilgisi>(r[5]));
        QVERIFY(!errorOf([&] { r[6]; }).isEmpty());
        QCOMPARE(ListBuilder().parametersBody(), QByteArray("{\"_parameters\":[]}"));
        QVERIFY(!errorOf([] { decodeParameters("{\"params\":[]}"); }).isEmpty());
        QVERIFY(!errorOf([] { decodeParameters("[]"); }).isEmpty());
    }

    void eachObjectOfAListCountsIdsFromOne()
    {
        ListBuilder p;
        p.add(TAcilisEkran()).add(TAcilisEkran());
        QCOMPARE(p.resultBody().count("\"id\":1"), 2);
    }

    void resultEnvelope()
    {
        ListBuilder r;
        r.add(qint64(2)).addStream(QByteArray("\xff\xd8", 2));
        const QByteArray body = r.resultBody();
        QCOMPARE(body, QByteArray("{\"result\":[2,[255,216]]}"));
        const ListReader res = decodeResult(200, body, 2);
        QCOMPARE(res[0].toInt64(), 2);
        QCOMPARE(readStream(res[1]), QByteArray("\xff\xd8", 2));
        QCOMPARE(errorBody(u"Stok \"bulunamadı\""),
                 QByteArray("{\"error\":\"Stok \\\"bulunamad\xc4\xb1\\\"\"}"));
    }

    void failedAnswers_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("text");
        QTest::newRow("server error text")
            << 500 << QByteArray("{\"error\":\"Stok bulunamadı\"}") << u"Stok bulunamadı"_qs;
        QTest::newRow("status without json")
            << 404 << QByteArray("<html>") << u"Sunucu HTTP 404 durumuyla yanıt verdi"_qs;
        QTest::newRow("error with status 200")
            << 200 << QByteArray("{\"error\":\"Yetki yok\"}") << u"Yetki yok"_qs;
        QTest::newRow("not json") << 200 << QByteArray("garbage") << QString();
        QTest::newRow("cut short") << 200 << QByteArray("{\"result\":[1,") << QString();
        QTest::newRow("no result array") << 200 << QByteArray("{\"result\":5}") << QString();
        QTest::newRow("too few values")
            << 200 << QByteArray("{\"result\":[1]}")
            << u"Sunucunun yanıtında 2 değer bekleniyordu, 1 değer geldi"_qs;
        QTest::newRow("empty body") << 200 << QByteArray() << QString();
        QTest::newRow("deep nesting") << 200 << QByteArray(5000, '[') << QString();
    }
    void failedAnswers()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, text);
        const QString err = errorOf([&] { decodeResult(status, body, 2); });
        QVERIFY(!err.isEmpty());
        if (!text.isEmpty())
            QCOMPARE(err, text);
    }

    void wrongKindInResult()
    {
        const ListReader res = decodeResult(200, "{\"result\":[\"x\",1.5,null]}", 3);
        QVERIFY(!errorOf([&] { res[0].toInt32(); }).isEmpty());
        QVERIFY(!errorOf([&] { res[1].toInt32(); }).isEmpty());
        QVERIFY(!errorOf([&] { res[1].toText(); }).isEmpty());
        QVERIFY(!errorOf([&] { readTable(res[2]); }).isEmpty());
        QVERIFY(!errorOf([&] { readStream(res[0]); }).isEmpty());
    }

    void stringEscapes()
    {
        const QString s = u"a\"b\\c\n\t\x01/ğ😀"_qs;
        ListBuilder p;
        p.add(s);
        const QByteArray body = p.resultBody();
        QVERIFY(body.contains("a\\\"b\\\\c\\n\\t\\u0001/"));
        QCOMPARE(decodeResult(200, body, 1)[0].toText(), s);
        QCOMPARE(Document::parse("\"\\u011f\\ud83d\\ude00\\/\"").root().toText(), u"ğ😀/"_qs);
        QVERIFY(!errorOf([] { Document::parse("\"a\x01\""); }).isEmpty());
        QVERIFY(!errorOf([] { Document::parse("\"\\x\""); }).isEmpty());
        QVERIFY(!errorOf([] { Document::parse("01"); }).isEmpty());
        // Broken UTF-8 becomes the replacement character, nothing else is lost.
        QCOMPARE(Document::parse("\"a\xff b\xc3\"").root().toText(), u"a\uFFFD b\uFFFD"_qs);
        QCOMPARE(Document::parse("\"\xed\xa0\x80\xc0\xaf\"").root().toText(),
                 u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"_qs);
        QVERIFY(!errorOf([] { Document::parse("1e999"); }).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestWire)
#include "test_wire.moc"
