#pragma once
// The one error type of the program: a kind (the class name the user sees in
// "kind: text" boxes) and a message text.

#include <QString>

#include <exception>

namespace pel {

class Error : public std::exception {
public:
    explicit Error(QString text, QString kind = QStringLiteral("Exception"))
        : m_kind(std::move(kind)), m_text(std::move(text)), m_what(m_text.toUtf8())
    {
    }
    const QString& text() const noexcept { return m_text; }
    const QString& kind() const noexcept { return m_kind; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    QString m_kind;
    QString m_text;
    QByteArray m_what;
};

} // namespace pel
