// Shows the data grid with its features and each widget stand-in.
//   pelmora-gallery [--screenshot FILE]

#include "widgets_gif.h"

#include "platform/grid/gridview.h"
#include "platform/grid/picturerows.h"
#include "platform/grid/widgets.h"
#include "platform/icons.h"
#include "platform/localtable.h"

#include <QApplication>
#include <QBuffer>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

using namespace pel;

namespace {
QIcon dot(QColor c)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(c);
    p.setPen(c.darker(140));
    p.drawEllipse(2, 2, 12, 12);
    return QIcon(pm);
}

QByteArray picture(int w, int h, QColor a, QColor b, const QString& text)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    p.fillRect(img.rect(), g);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPointSize(h / 8);
    f.setBold(true);
    p.setFont(f);
    p.drawText(img.rect(), Qt::AlignCenter, text);
    p.end();
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return bytes;
}

void fillStock(LocalTable& t)
{
    t.setFields({{QStringLiteral("STOK_STOKNO"), FieldType::Int32},
                 {QStringLiteral("SEC"), FieldType::Int32},
                 {QStringLiteral("DURUM"), FieldType::Int32},
                 {QStringLiteral("BARKOD"), FieldType::String, 20},
                 {QStringLiteral("ADI"), FieldType::WideString, 100},
                 {QStringLiteral("MARKA"), FieldType::String, 30},
                 {QStringLiteral("MIKTAR"), FieldType::Int32},
                 {QStringLiteral("LISTEFIYAT1"), FieldType::Double},
                 {QStringLiteral("NETFIYAT"), FieldType::Double},
                 {QStringLiteral("RESIM"), FieldType::Blob},
                 {QStringLiteral("NOT"), FieldType::WideString, 200},
                 {QStringLiteral("SATICI"), FieldType::String, 30}});
    static const char* names[] = {"FREN BALATASI ÖN TAKIM", "FAR AMPULÜ H7 12V",
                                  "YAĞ FİLTRESİ", "FREN DİSKİ HAVALANDIRMALI",
                                  "AMORTİSÖR ARKA SOL", "TRİGER KAYIŞI SETİ",
                                  "ŞANZIMAN YAĞI 75W90", "ÇAMURLUK DAVLUMBAZI"};
    static const char* brands[] = {"BOSCH", "OSRAM", "MANN", "TRW", "SACHS", "CONTİTECH",
                                   "CASTROL", "FORD"};
    static const char* sellers[] = {"Ahmet Yılmaz", "Mehmet Kaya", "Ayşe Demir"};
    const QByteArray thumb = picture(48, 32, QColor(0, 52, 120), QColor(80, 160, 220), "P");
    t.disableControls();
    for (int i = 0; i < 40; ++i) {
        const int r = t.appendRow();
        t.setValue(r, 0, 1000 + i);
        t.setValue(r, 1, i % 3 == 0 ? 1 : 0);
        if (i % 7 != 6)
            t.setValue(r, 2, i % 6);
        t.setValue(r, 3, QStringLiteral("869%1").arg(100000 + i * 37));
        t.setValue(r, 4, QString::fromUtf8(names[i % 8]));
        t.setValue(r, 5, QString::fromUtf8(brands[i % 8]));
        t.setValue(r, 6, 1 + (i * 7) % 12);
        t.setValue(r, 7, 125.5 + i * 37.25);
        t.setValue(r, 8, (125.5 + i * 37.25) * 0.8);
        if (i % 2 == 0)
            t.setValue(r, 9, thumb);
        t.setValue(r, 10, i % 4 == 0 ? QStringLiteral("Acil gönderilsin.\nKargo: Aras") : QString());
        t.setValue(r, 11, QString::fromUtf8(sellers[i % 3]));
    }
    for (int c : {7, 8})
        t.setDisplayFormat(c, amountFormat());
    t.enableControls();
    t.first();
}

std::vector<GridColumn> stockColumns()
{
    GridColumn durum("colDURUM", "DURUM");
    durum.caption(QStringLiteral("Durum")).kind(ColumnKind::Icon).centred().tag(1).width(70)
        .emptyIcon(neutralIcon());
    for (int i = 0; i < 6; ++i)
        durum.icon(i, statusIcon(i));
    return {
        GridColumn("colSEC", "SEC").caption(QStringLiteral("Seç")).kind(ColumnKind::Check).offered(false).width(50),
        durum,
        GridColumn("colNO", "STOK_STOKNO").technical(),
        GridColumn("colBARKOD", "BARKOD").caption(QStringLiteral("Barkod")).width(100)
            .footer(Summary::Count),
        GridColumn("colADI", "ADI").caption(QStringLiteral("Açıklama")).kind(ColumnKind::WrappedText).width(150),
        GridColumn("colMARKA", "MARKA").caption(QStringLiteral("Marka")).width(90),
        GridColumn("colMIKTAR", "MIKTAR").caption(QStringLiteral("Miktar")).kind(ColumnKind::Number)
            .width(75).footer(Summary::Sum),
        GridColumn("colLISTE", "LISTEFIYAT1").caption(QStringLiteral("Liste Fiyatı")).amount().width(90)
            .footer(Summary::Average),
        GridColumn("colNET", "NETFIYAT").caption(QStringLiteral("Net Fiyatı")).amount().width(90)
            .footer(Summary::Sum),
        GridColumn("colRESIM", "RESIM").caption(QStringLiteral("Resim")).kind(ColumnKind::Picture).width(60),
        GridColumn("colYENI", "SEC").caption(QStringLiteral("Yeni")).kind(ColumnKind::Icon)
            .icon(1, newIcon()).icon(0, dot(Qt::transparent)).width(45),
        GridColumn("colNOT", "NOT").caption(QStringLiteral("Not")).kind(ColumnKind::MultiLineText).width(130),
        GridColumn("colFiyatBilgisi", {}).caption(QStringLiteral("Fiyat Bilgisi")).width(170)
            .draw([](const DrawCell& c) {
                c.painter.fillRect(c.rect, c.background);
                const QString text = QStringLiteral("Liste Fiyat: %1\nNet Fiyat: %2")
                                         .arg(c.row.text(u"LISTEFIYAT1"), c.row.text(u"NETFIYAT"));
                c.painter.setPen(c.selected ? Qt::black : QColor(0, 52, 120));
                c.painter.drawText(c.rect.adjusted(10, 0, -10, 0),
                                   Qt::AlignRight | Qt::AlignVCenter | Qt::TextWordWrap, text);
            }),
        GridColumn("colSATICI", "SATICI").caption(QStringLiteral("Satıcı")).visible(false),
    };
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QString shot;
    const QStringList args = app.arguments();
    if (const int i = int(args.indexOf(QStringLiteral("--screenshot"))); i >= 0)
        shot = args.value(i + 1, QStringLiteral("gallery.png"));

    QWidget win;
    win.setWindowTitle(QStringLiteral("Pelmora görünüm galerisi"));
    auto* lay = new QHBoxLayout(&win);

    // grids
    auto* left = new QVBoxLayout;
    LocalTable stock, report;
    fillStock(stock);
    fillStock(report);

    auto* grid = new GridView;
    grid->setColumns(stockColumns());
    grid->setKeyField(QStringLiteral("STOK_STOKNO"));
    grid->setRowHeight(40);
    grid->setHeaderHeight(40);
    grid->setFooterVisible(true);
    grid->setGridStyle(GridStyle::whiteLines());
    grid->setTable(&stock);
    grid->sortBy(grid->columnIndex(u"NETFIYAT"), Qt::DescendingOrder);
    grid->setFilter(grid->columnIndex(u"MARKA"),
                    {QStringLiteral("BOSCH"), QStringLiteral("TRW"), QStringLiteral("SACHS"),
                     QStringLiteral("OSRAM"), QStringLiteral("FORD")});
    grid->setFocusedRow(1);
    left->addWidget(new QLabel(QStringLiteral("Stok listesi: ikonlar, tik kutusu, tutarlar, resim, çizilen hücre, filtre, dip toplamlar")));
    left->addWidget(grid, 3);

    auto* groups = new GridView;
    std::vector<GridColumn> rc{
        GridColumn("rSATICI", "SATICI").caption(QStringLiteral("Satıcı")),
        GridColumn("rBARKOD", "BARKOD").caption(QStringLiteral("Barkod")).width(110)
            .footer(Summary::Count).groupFooter(Summary::Count),
        GridColumn("rADI", "ADI").caption(QStringLiteral("Açıklama")).width(220),
        GridColumn("rNET", "NETFIYAT").caption(QStringLiteral("Tutar")).amount().width(110)
            .footer(Summary::Sum).groupFooter(Summary::Sum),
    };
    groups->setColumns(rc);
    GridStyle slate;
    slate.header = QColor(61, 65, 74);
    groups->setGridStyle(slate);
    groups->setFooterVisible(true);
    groups->setTable(&report);
    groups->groupBy(0);
    groups->setColumnVisible(0, false);
    groups->setWidthRule(WidthRule::FillWidth);
    groups->collapseAll();
    groups->model()->setGroupExpanded(1, true);
    left->addWidget(new QLabel(QStringLiteral("Gruplu rapor: grup satırları, her zaman görünen grup dipleri, ayrı başlık rengi")));
    left->addWidget(groups, 2);

    auto* announcements = new PictureRowsView({QStringLiteral("baslik"), QStringLiteral("arama")});
    announcements->setPictureRowHeight(160);
    announcements->appendRow(picture(600, 200, QColor(0, 52, 120), QColor(0, 140, 200), "KAMPANYA"),
                             {QStringLiteral("Kampanya"), QStringLiteral("#KAMPANYA#")});
    announcements->appendRow(picture(600, 200, QColor(120, 20, 20), QColor(230, 120, 0), "YENİ ÜRÜNLER"),
                             {QStringLiteral("Yeni"), QStringLiteral("#YENİ#")});
    left->addWidget(new QLabel(QStringLiteral("Duyurular (resimli satırlar)")));
    left->addWidget(announcements, 1);
    lay->addLayout(left, 3);

    // widgets
    auto* box = new QGroupBox(QStringLiteral("Denetimler"));
    auto* form = new QFormLayout(box);
    auto* amount = new AmountBox;
    amount->setValue(1234567.5);
    form->addRow(QStringLiteral("Tutar:"), amount);
    auto* price = new AmountBox;
    price->setDisplayPattern(QStringLiteral(",0.00 TL;-,0.00 TL"));
    price->setValue(-45.5);
    form->addRow(QStringLiteral("Fiyat:"), price);
    auto* ro = new AmountBox;
    ro->setValue(99.99);
    ro->setReadOnly(true);
    form->addRow(QStringLiteral("Salt okunur:"), ro);
    form->addRow(QStringLiteral("Yeni bakiye:"), new IntSpinBox(1, 1000, 12));
    auto* gif = new GifPicture;
    gif->setPictureData(gifmaker::twoFrameGif(120, 24));
    gif->setStretch(true);
    gif->setAutoHeight(true);
    gif->setFixedWidth(200);
    form->addRow(QStringLiteral("GIF:"), gif);
    auto* busy = new BusyIndicator;
    busy->setFixedSize(32, 32);
    form->addRow(QStringLiteral("Meşgul:"), busy);
    auto* pbox = new PictureBox;
    pbox->setFixedSize(200, 90);
    pbox->setPictureData(picture(300, 100, QColor(40, 120, 60), QColor(160, 220, 90), "RESİM"));
    form->addRow(QStringLiteral("Resim kutusu:"), pbox);
    auto* zoom = new ZoomPictureViewer;
    zoom->setFixedSize(220, 160);
    zoom->setPictureData(picture(200, 120, QColor(90, 40, 140), QColor(220, 120, 200), "ZOOM"));
    zoom->setZoom(80);
    form->addRow(QStringLiteral("Yakınlaştırma:"), zoom);
    auto* split = new SplitButton(QStringLiteral("Excel Kaydet"));
    split->addMenuItem(QStringLiteral("PDF Al"));
    QObject::connect(split, &QToolButton::clicked, grid, [grid] { grid->saveExcelAs(); });
    form->addRow(QStringLiteral("Bölünmüş düğme:"), split);
    lay->addWidget(box, 1);

    win.resize(1500, 950);
    win.show();
    QMenu* headerMenu = grid->createHeaderMenu(grid->columnIndex(u"MARKA"), &win);
    if (!shot.isEmpty()) {
        QTimer::singleShot(600, &app, [&] {
            win.grab().save(shot);
            QPixmap menuShot = headerMenu->grab();
            menuShot.save(QString(shot).replace(QStringLiteral(".png"), QStringLiteral("-menu.png")));
            app.quit();
        });
    }
    return app.exec();
}
