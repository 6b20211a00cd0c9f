#pragma once
// Plain data classes that cross the wire: each field F<Name> with a getter
// <Name>() and a setter Set<Name>(), defaults in the declaration, and a
// visitor over all fields in declaration order (the order on the wire).
//
//   #define TORNEK_ALANLARI(X) X(QString, ADI, {}) X(qint32, CARINO, 0)
//   class TOrnek { PELMORA_ALANLAR(TOrnek, TORNEK_ALANLARI) };

#include <QString>

#define PELMORA_ALAN_UYESI(Tip, Ad, Varsayilan) Tip F##Ad = Varsayilan;
#define PELMORA_ALAN_ERISIM(Tip, Ad, Varsayilan)                                                   \
    const Tip& Ad() const { return F##Ad; }                                                        \
    void Set##Ad(const Tip& v) { F##Ad = v; }
#define PELMORA_ALAN_GEZ(Tip, Ad, Varsayilan) v(u"F" #Ad, F##Ad);

// Declares fields, properties, setters, Kopyala and the field visitor.
#define PELMORA_ALANLAR(Sinif, LISTE)                                                              \
public:                                                                                            \
    LISTE(PELMORA_ALAN_ERISIM)                                                                     \
    void Kopyala(const Sinif& kaynak) { *this = kaynak; }                                          \
    template <class V> void AlanlariGez(V&& v) { LISTE(PELMORA_ALAN_GEZ) }                        \
    template <class V> void AlanlariGez(V&& v) const { LISTE(PELMORA_ALAN_GEZ) }                  \
                                                                                                   \
private:                                                                                           \
    LISTE(PELMORA_ALAN_UYESI)                                                                      \
public:
