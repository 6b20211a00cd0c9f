// The program's entry.

#include "anaform.h"
#include "platform/seams.h"
#include "remote/beklesinu.h"
#include "remote/kimlik.h"
#include "remote/sunucuayarlari.h"

#include <QApplication>
#include <QFile>
#include <QStyleFactory>
#include <QTextStream>

#include <cstring>

namespace {

// Errors that escape an event handler reach the default error handler, which
// shows their text; the message loop goes on.
class TUygulama : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* alici, QEvent* olay) override
    {
        try {
            return QApplication::notify(alici, olay);
        } catch (...) {
            VarsayilanHataIsle(std::current_exception());
            return false;
        }
    }
};

// The visual style "solvane"; when it cannot be applied the user is told.
void StilUygula(QApplication& app)
{
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFile stil(QStringLiteral(":/stil/solvane.qss"));
    if (!stil.open(QIODevice::ReadOnly)) {
        pel::plainMessage(QStringLiteral("Görsel stil \"solvane\" yüklenemedi."));
        return;
    }
    app.setStyleSheet(QString::fromUtf8(stil.readAll()));
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--device-id") == 0) {
            QTextStream(stdout) << BilgisayarIdAl() << '\n';
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            QTextStream(stdout) << "pelmora [seçenekler]\n"
                                << DagitimSecenekleriYardimi() << '\n'
                                << "  --device-id       bu bilgisayarın kimliğini yazar\n";
            return 0;
        }
    }
    TUygulama app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Pelmora Otomotiv B2B"));
    const QStringList hatalar = DagitimAyarlariniYukle(argc, argv);
    StilUygula(app);
    if (!hatalar.isEmpty())
        pel::plainMessage(hatalar.join(u'\n'));

    TForm1 Form1;
    Form1.showMaximized();
    const int sonuc = app.exec();
    AdresleriTemizle();
    return sonuc;
}
