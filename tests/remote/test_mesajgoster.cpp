#include "platform/seams.h"
#include "remote/mesajpenceresi.h"
#include "remote/utils.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {
struct Seen {
    QString title;
    QStringList buttons;
    QString focused;
    int fontPoints = 0;
};

// Shows the dialog, records what it offers, presses `key` and answers the
// dialog's result.
pel::ModalHook pressKey(Qt::Key key, Seen& seen)
{
    return [key, &seen](QDialog& d) {
        d.show();
        d.activateWindow();
        if (!QTest::qWaitForWindowExposed(&d))
            return -1;
        seen.title = d.windowTitle();
        seen.buttons.clear();
        for (auto* b : static_cast<TMesajPenceresi&>(d).Butonlar())
            seen.buttons << b->text();
        QWidget* f = d.focusWidget();
        seen.focused = qobject_cast<QPushButton*>(f) ? static_cast<QPushButton*>(f)->text() : "";
        seen.fontPoints = d.findChild<QLabel*>(QStringLiteral("mesaj"))->font().pointSize();
        QTest::keyClick(f ? f : &d, key);
        return d.result();
    };
}
} // namespace

class TestMesajGoster : public QObject {
    Q_OBJECT
    QList<unsigned> sounds;
private Q_SLOTS:
    void init()
    {
        sounds.clear();
        pel::setSoundHook([this](unsigned k) { sounds << k; });
    }
    void cleanup() { pel::setModalHook({}); }

    void questionWithNoSelected_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }
    void questionWithNoSelected()
    {
        QFETCH(int, key);
        Seen seen;
        pel::setModalHook(pressKey(Qt::Key(key), seen));
        const int r = MesajGoster(QStringLiteral("Satırı silmek istiyor musunuz "), mtConfirmation,
                                  mbYesNoSeti, mbNo);
        QCOMPARE(r, int(mrNo));
        QCOMPARE(seen.title, QStringLiteral("Soru"));
        QCOMPARE(seen.buttons, (QStringList{QStringLiteral("Evet"), QStringLiteral("Hayır")}));
        QCOMPARE(seen.focused, QStringLiteral("Hayır"));
        QCOMPARE(sounds, (QList<unsigned>{0x20}));
    }

    void questionWithYesSelected()
    {
        Seen seen;
        pel::setModalHook(pressKey(Qt::Key_Return, seen));
        QCOMPARE(MesajGoster(QStringLiteral("Programdan Çıkmak İstiyor musunuz ?"), mtConfirmation,
                             mbYesNoSeti, mbYes),
                 int(mrYes));
        QCOMPARE(seen.focused, QStringLiteral("Evet"));
        // Escape still answers No
        pel::setModalHook(pressKey(Qt::Key_Escape, seen));
        QCOMPARE(MesajGoster(QStringLiteral("?"), mtConfirmation, mbYesNoSeti, mbYes), int(mrNo));
    }

    void errorWithOk_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }
    void errorWithOk()
    {
        QFETCH(int, key);
        Seen seen;
        pel::setMessageFontPointSize(15);
        pel::setModalHook(pressKey(Qt::Key(key), seen));
        const int r = MesajGoster(QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"),
                                  mtError, mbOKSeti, mbOK);
        pel::setMessageFontPointSize(0);
        QCOMPARE(r, int(mrOk));
        QCOMPARE(seen.title, QStringLiteral("Hata"));
        QCOMPARE(seen.buttons, QStringList{QStringLiteral("Tamam")});
        QCOMPARE(seen.focused, QStringLiteral("Tamam"));
        QCOMPARE(seen.fontPoints, 15);
        QCOMPARE(sounds, (QList<unsigned>{0x10}));
    }

    void titlesSoundsAndCaptions()
    {
        QCOMPARE(TMesajPenceresi::TipBasligi(mtWarning), QStringLiteral("Uyarı"));
        QCOMPARE(TMesajPenceresi::TipBasligi(mtInformation), QStringLiteral("Bilgi"));
        QCOMPARE(TMesajPenceresi::TipSesi(mtWarning), 0x30u);
        QCOMPARE(TMesajPenceresi::TipSesi(mtInformation), 0x40u);
        // every kind in kind order, Cancel preferred by Escape
        TMesajPenceresi all(QStringLiteral("x"), 9, 0x0FFF, mbRetry);
        QStringList captions;
        for (auto* b : all.Butonlar())
            captions << b->text();
        QCOMPARE(captions.mid(0, 7), (QStringList{"Evet", "Hayır", "Tamam", "Vazgeç", "İptal",
                                                  "Tekrar", "Atla"}));
        QCOMPARE(captions.mid(8, 3), (QStringList{"Tümüne Hayır", "Tümüne Evet", "Yardım"}));
        QCOMPARE(all.windowTitle(), pel::programTitle()); // unknown type keeps the program title
        Seen seen;
        pel::setModalHook(pressKey(Qt::Key_Escape, seen));
        QCOMPARE(MesajGoster(QStringLiteral("x"), mtWarning, butonSeti({mbOK, mbCancel}), mbOK),
                 int(mrCancel));
    }

    void plainBoxGoesThroughTheSeam()
    {
        QString text, title;
        pel::setModalHook([&](QDialog& d) {
            title = d.windowTitle();
            text = d.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
            return 1;
        });
        pel::plainMessage(QStringLiteral("Connection refused"));
        QCOMPARE(text, QStringLiteral("Connection refused"));
        QCOMPARE(title, pel::programTitle());
    }

    void endProcessIsCaught()
    {
        int code = -1;
        pel::setEndProcessHook([&](int c) { code = c; });
        bool ended = false;
        try {
            pel::endProcess(0);
        } catch (const pel::ProcessEnded& e) {
            ended = e.code == 0;
        }
        pel::setEndProcessHook({});
        QVERIFY(ended);
        QCOMPARE(code, 0);
    }
};

QTEST_MAIN(TestMesajGoster)
#include "test_mesajgoster.moc"
