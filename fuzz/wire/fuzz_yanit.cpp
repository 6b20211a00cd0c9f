// The decoder of server answers: envelope, marshalled objects, tables and
// streams. Every input must end as values or as a pel::Error.

#include "remote/baglantiu.h"
#include "remote/mobilstokunit.h"
#include "remote/wire/wire.h"

#include <cstddef>
#include <cstdint>

namespace {

using namespace pel::wire;

template <class F>
void dene(F&& f)
{
    try {
        f();
    } catch (const pel::Error&) {
    }
}

void degerOku(Value v)
{
    dene([&] { readTable(v); });
    dene([&] { readStream(v); });
    dene([&] { readObject<TSonucBilgisi>(v); });
    dene([&] { readObject<TAcilisEkranlariki>(v); });
    dene([&] { readObject<TMobilCariBilgisi>(v); });
    dene([&] { readObject<TTusSonuclari>(v); });
    dene([&] { readObject<TSiparisDipAyrinti>(v); });
    dene([&] { v.toText(); });
    dene([&] { v.toInt32(); });
    dene([&] { v.toInt64(); });
    dene([&] { v.toDouble(); });
    dene([&] { v.toBool(); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView b(reinterpret_cast<const char*>(data), qsizetype(size));
    dene([&] {
        const ListReader r = decodeResult(200, b, 0);
        for (int i = 0; i < r.size() && i < 16; ++i) {
            degerOku(r[i]);
            // What is read back must encode again.
            dene([&] { encodeTable(readTable(r[i])); });
            dene([&] {
                if (auto o = readObject<TAcilisEkranlariki>(r[i]))
                    unmarshal<TAcilisEkranlariki>(marshal(*o));
            });
        }
    });
    dene([&] { decodeResult(500, b, 1); });
    dene([&] { decodeParameters(b); });
    dene([&] {
        const Document d = Document::parse(b);
        degerOku(d.root());
    });
    return 0;
}
