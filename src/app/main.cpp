// The program's entry.

#include "remote/kimlik.h"

#include <QApplication>
#include <QTextStream>

#include <cstring>

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--device-id") == 0) {
            QTextStream(stdout) << BilgisayarIdAl() << '\n';
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Pelmora Otomotiv B2B"));
    QTextStream(stderr) << "pelmora: the main window is not part of this build yet; "
                           "use --device-id.\n";
    return 1;
}
