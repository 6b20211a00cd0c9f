#pragma once
// Runs one call of a TServerMethods1 method: decodes the "_parameters" of
// the request body, runs the method and encodes the answer envelope.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace pelsrv {

class Magaza;

struct Cevap {
    int durum = 200; // HTTP status
    QByteArray govde;
};

// `metot` is the bare method name ("StokAraGetir"). Never throws: every
// failure becomes an {"error": ...} answer.
Cevap metotCagir(Magaza& m, const QString& metot, QByteArrayView govde);

// The names of all methods the server answers, in catalogue order.
QStringList metotAdlari();

} // namespace pelsrv
