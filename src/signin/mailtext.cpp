#include "mailtext.h"

QString VirgulluMetin(const QStringList& satirlar)
{
    QStringList parcalar;
    parcalar.reserve(satirlar.size());
    for (const QString& s : satirlar) {
        bool tirnak = false;
        for (QChar c : s)
            if (c.unicode() <= 0x20 || c == u',' || c == u'"') {
                tirnak = true;
                break;
            }
        if (tirnak) {
            QString ic = s;
            ic.replace(QStringLiteral("\""), QStringLiteral("\"\""));
            parcalar << u'"' + ic + u'"';
        } else {
            parcalar << s;
        }
    }
    return parcalar.join(u',');
}
