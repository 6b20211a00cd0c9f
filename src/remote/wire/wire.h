#pragma once
// pelmora_wire: the JSON forms that travel between the client and the
// application server (marshalled objects, tables, streams, the request body
// and the answer envelope). Used by both sides; needs only Qt Core.
//
//   using namespace pel::wire;
//   // Objects (classes with PELMORA_ALANLAR and a kTip "unit.Class"):
//   QByteArray j = marshal(kayit);                       // {"type":..,"id":1,"fields":{..}}
//   std::unique_ptr<TSonucBilgisi> k = unmarshal<TSonucBilgisi>(j); // nullptr for null
//   // Tables and streams:
//   QByteArray t = encodeTable(tableData);   pel::TableData d = decodeTable(t);
//   QByteArray s = encodeStream(bytes);      QByteArray b = decodeStream(s);
//   // Client sends, server reads:
//   ListBuilder p; p.add(u"BOSCH"); p.add(kayit);
//   QByteArray body = p.parametersBody();                // {"_parameters":["BOSCH",{..}]}
//   ListReader args = decodeParameters(body);            // throws on a bad body
//   QString kod = args[0].toText(); auto bilgi = readObject<TSonucBilgisi>(args[1]);
//   // Server answers, client reads:
//   ListBuilder r; r.add(qint64(34211)); r.addStream(bytes);
//   QByteArray ok = r.resultBody();                      // {"result":[34211,[255,...]]}, HTTP 200
//   QByteArray bad = errorBody(u"Stok bulunamadı");      // {"error":"..."}, HTTP 500
//   ListReader res = decodeResult(httpStatus, body, 2);  // throws the server's error text
//   qint64 boy = res[0].toInt64(); QByteArray resim = readStream(res[1]);
//
// Every decoding failure throws pel::Error (kind EVeriHatasi, Turkish text);
// the "error" of a failed answer is thrown with kind ESunucuHatasi.

#include "json.h"
#include "platform/tabledata.h"

#include <QList>

#include <concepts>
#include <memory>
#include <type_traits>

namespace pel::wire {

inline const QString kSunucuHatasi = QStringLiteral("ESunucuHatasi");

// A class that crosses the wire as a marshalled object.
template <class T>
concept Marshallable = requires(T& t, const T& c) {
    { T::kTip } -> std::convertible_to<const char*>;
    t.AlanlariGez([](QStringView, auto&) {});
    c.AlanlariGez([](QStringView, const auto&) {});
};

// ------------------------------------------------------------ writing

void writeTable(Writer& w, const pel::TableData& table);
void writeStream(Writer& w, QByteArrayView bytes);

namespace detail {
template <class T>
struct IsList : std::false_type {};
template <class U>
struct IsList<QList<U>> : std::true_type {
    using Element = U;
};
} // namespace detail

template <Marshallable T>
void writeObject(Writer& w, const T& obj);

template <class F>
void writeField(Writer& w, const F& f)
{
    if constexpr (std::is_same_v<F, QString>) {
        w.string(f);
    } else if constexpr (std::is_same_v<F, bool>) {
        w.boolean(f);
    } else if constexpr (std::is_same_v<F, qint32> || std::is_same_v<F, qint64>) {
        w.integer(f);
    } else if constexpr (std::is_same_v<F, double>) {
        w.real(f);
    } else if constexpr (detail::IsList<F>::value) {
        w.raw('[');
        bool first = true;
        for (const auto& e : f) {
            if (!first)
                w.raw(',');
            first = false;
            writeObject(w, e);
        }
        w.raw(']');
    } else {
        static_assert(Marshallable<F>, "field kind not supported on the wire");
        writeObject(w, f);
    }
}

template <Marshallable T>
void writeObject(Writer& w, const T& obj)
{
    w.raw("{\"type\":");
    w.string(T::kTip);
    w.raw(",\"id\":");
    w.integer(w.takeId());
    w.raw(",\"fields\":{");
    bool first = true;
    obj.AlanlariGez([&](QStringView name, const auto& f) {
        if (!first)
            w.raw(',');
        first = false;
        w.key(name);
        writeField(w, f);
    });
    w.raw("}}");
}

template <Marshallable T>
QByteArray marshal(const T& obj)
{
    Writer w;
    writeObject(w, obj);
    return w.take();
}

// A list of values by position: the request's "_parameters" or the answer's
// "result". Each object added is one value with its own ids from 1.
class ListBuilder {
public:
    ListBuilder& add(QStringView s) { sep(), m_w.string(s); return *this; }
    ListBuilder& add(const QString& s) { return add(QStringView(s)); }
    ListBuilder& add(const char16_t* s) { return add(QStringView(s)); }
    ListBuilder& add(qint32 v) { sep(), m_w.integer(v); return *this; }
    ListBuilder& add(qint64 v) { sep(), m_w.integer(v); return *this; }
    ListBuilder& add(double v) { sep(), m_w.real(v); return *this; }
    ListBuilder& add(bool v) { sep(), m_w.boolean(v); return *this; }
    ListBuilder& addNull() { sep(), m_w.null(); return *this; }
    template <Marshallable T>
    ListBuilder& add(const T& obj)
    {
        sep();
        m_w.resetIds();
        writeObject(m_w, obj);
        return *this;
    }
    template <Marshallable T>
    ListBuilder& addObject(const T* obj) { return obj ? add(*obj) : addNull(); }
    ListBuilder& addTable(const pel::TableData& t) { sep(), writeTable(m_w, t); return *this; }
    ListBuilder& addStream(QByteArrayView bytes) { sep(), writeStream(m_w, bytes); return *this; }
    ListBuilder& addJson(QByteArrayView json) { sep(), m_w.out().append(json); return *this; }

    int count() const { return m_count; }
    QByteArray parametersBody() const; // {"_parameters":[...]}
    QByteArray resultBody() const;     // {"result":[...]}

private:
    void sep()
    {
        if (m_count++)
            m_w.raw(',');
    }
    Writer m_w;
    int m_count = 0;
};

// {"error":"..."}: the body of a failed answer.
QByteArray errorBody(QStringView text);

QByteArray encodeTable(const pel::TableData& table);
QByteArray encodeStream(QByteArrayView bytes);

// ------------------------------------------------------------ reading

// Checked reading of one value; wrong kinds throw pel::Error.
pel::TableData readTable(Value v);
QByteArray readStream(Value v);

template <Marshallable T>
std::unique_ptr<T> readObject(Value v);

template <class F>
void readField(Value v, F& f, QStringView name)
{
    if constexpr (std::is_same_v<F, QString>) {
        f = v.toText();
    } else if constexpr (std::is_same_v<F, bool>) {
        f = v.toBool();
    } else if constexpr (std::is_same_v<F, qint32>) {
        f = v.toInt32();
    } else if constexpr (std::is_same_v<F, qint64>) {
        f = v.toInt64();
    } else if constexpr (std::is_same_v<F, double>) {
        f = v.toDouble();
    } else if constexpr (detail::IsList<F>::value) {
        using U = typename detail::IsList<F>::Element;
        f.clear();
        if (v.isNull())
            return;
        if (!v.isArray())
            fail(QStringLiteral("%1 alanı için dizi beklenirken %2 geldi")
                     .arg(name.toString(), kindName(v.kind())));
        f.reserve(v.size());
        Value e = v.first();
        for (int n = 0; n < v.size(); ++n, e = e.next()) {
            std::unique_ptr<U> o = readObject<U>(e);
            if (!o)
                fail(QStringLiteral("%1 dizisinde boş (null) nesne var").arg(name.toString()));
            f.append(std::move(*o));
        }
    } else {
        static_assert(Marshallable<F>, "field kind not supported on the wire");
        std::unique_ptr<F> o = readObject<F>(v);
        f = o ? std::move(*o) : F();
    }
}

void checkObjectHeader(Value v, const char* expectedType); // throws

template <Marshallable T>
std::unique_ptr<T> readObject(Value v)
{
    if (v.isNull())
        return nullptr;
    checkObjectHeader(v, T::kTip);
    const Value fields = v.member(u"fields");
    auto obj = std::make_unique<T>();
    obj->AlanlariGez([&](QStringView name, auto& f) {
        const Value fv = fields.member(name);
        if (!fv.exists())
            return;
        try {
            readField(fv, f, name);
        } catch (const pel::Error& e) {
            fail(QStringLiteral("%1.%2: %3")
                     .arg(QString::fromLatin1(T::kTip), name.toString(), e.text()));
        }
    });
    return obj;
}

template <Marshallable T>
std::unique_ptr<T> unmarshal(QByteArrayView json)
{
    const Document d = Document::parse(json);
    return readObject<T>(d.root());
}

pel::TableData decodeTable(QByteArrayView json);
QByteArray decodeStream(QByteArrayView json);

// A decoded list of values ("_parameters" or "result"), by position.
class ListReader {
public:
    ListReader() = default;
    int size() const { return int(m_items.size()); }
    // Position out of range throws pel::Error.
    Value operator[](int index) const;

private:
    friend ListReader decodeParameters(QByteArrayView);
    friend ListReader decodeResult(int, QByteArrayView, int);
    static ListReader fromArray(Document doc, Value array);
    Document m_doc;
    std::vector<Value> m_items;
};

// The body of a request: {"_parameters":[...]}.
ListReader decodeParameters(QByteArrayView body);

// The answer to a call: for status 200 {"result":[...]} with at least
// `expected` values; any other status, or {"error":"..."}, throws the
// server's text (or one naming the HTTP status).
ListReader decodeResult(int httpStatus, QByteArrayView body, int expected);

} // namespace pel::wire
