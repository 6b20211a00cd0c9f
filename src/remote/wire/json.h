#pragma once
// A small JSON reader and writer for the wire forms.
//
// The reader parses a whole text into a flat node array (one node per
// value; containers know where their subtree ends) with all string content
// decoded into one UTF-16 buffer, so reading a table allocates per column,
// not per cell. The writer appends compact JSON (no spaces) to a byte array;
// doubles always carry a decimal point.

#include "platform/error.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <memory>
#include <vector>

namespace pel::wire {

enum class Kind : uint8_t { Absent, Null, Bool, Int, Real, String, Array, Object };

// The error kind of every decoding failure.
inline const QString kVeriHatasi = QStringLiteral("EVeriHatasi");
[[noreturn]] void fail(const QString& text);

// Turkish name of a JSON kind, for messages ("metin", "dizi", ...).
QString kindName(Kind k);

namespace detail {
struct Node {
    Kind kind = Kind::Null;
    bool flag = false;   // Bool: the value; Int: written without fraction/exponent
    uint32_t count = 0;  // Array: elements, Object: members, String: length
    uint32_t end = 0;    // index after the subtree
    union {
        qint64 i;
        double d;
        uint32_t off; // String: start in the text buffer
    };
    Node() : i(0) {}
};
struct Tape {
    std::vector<Node> nodes;
    QString text;
};
} // namespace detail

// A read-only view of one value inside a Document. Absent when a member or
// element does not exist. Valid while its Document lives.
class Value {
public:
    Value() = default;

    Kind kind() const { return t ? node().kind : Kind::Absent; }
    bool exists() const { return kind() != Kind::Absent; }
    bool isNull() const { return kind() == Kind::Null; }
    bool isArray() const { return kind() == Kind::Array; }
    bool isObject() const { return kind() == Kind::Object; }
    bool isString() const { return kind() == Kind::String; }
    bool isNumber() const { return kind() == Kind::Int || kind() == Kind::Real; }
    // True for a number written without fraction and exponent that fits 64 bits.
    bool isInteger() const { return kind() == Kind::Int; }

    // Elements of an array, members of an object (0 for other kinds).
    int size() const;
    Value at(int index) const;             // array element
    Value member(QStringView name) const;  // object member by exact name
    Value first() const;                   // first element / member value
    Value next() const;                    // the following sibling (no bounds check)
    QStringView key() const;               // of a member value reached by first()/next() on an object

    // Raw access (kind not checked).
    QStringView textView() const;
    qint64 rawInt() const { return node().i; }
    double rawReal() const { return node().d; }
    bool rawBool() const { return node().flag; }

    // Checked conversions: a value of another kind throws pel::Error.
    QString toText() const;
    qint32 toInt32() const;
    qint64 toInt64() const;
    double toDouble() const; // any number
    bool toBool() const;

private:
    friend class Document;
    Value(const detail::Tape* tape, uint32_t index) : t(tape), i(index) {}
    const detail::Node& node() const { return t->nodes[i]; }
    Value sibling(uint32_t index) const { return Value(t, index); }
    const detail::Tape* t = nullptr;
    uint32_t i = 0;
};

// A parsed JSON text. Move-only; Values into it stay valid across moves.
class Document {
public:
    Document();
    // Throws pel::Error (kind EVeriHatasi) on anything that is not one JSON value.
    static Document parse(QByteArrayView json);
    Value root() const;

private:
    std::unique_ptr<detail::Tape> m_tape;
};

// Limits of the reader.
constexpr int kMaxDepth = 200;

// Compact JSON writer.
class Writer {
public:
    QByteArray& out() { return m_out; }
    const QByteArray& out() const { return m_out; }
    QByteArray take() { return std::move(m_out); }

    void null() { m_out += "null"; }
    void boolean(bool b) { m_out += b ? "true" : "false"; }
    void integer(qint64 v);
    void real(double v); // always with a decimal point; NaN/Inf throw pel::Error
    void string(QStringView s);
    void string(const char* latin1);
    void key(QStringView name) { string(name), m_out += ':'; }
    void raw(char c) { m_out += c; }
    void raw(const char* s) { m_out += s; }

    // Object ids of one marshalled value: 1 for the outermost, then on.
    int takeId() { return m_nextId++; }
    void resetIds() { m_nextId = 1; }

private:
    QByteArray m_out;
    int m_nextId = 1;
};

} // namespace pel::wire
