#pragma once
// A small HTTP/1.1 server on loopback for tests: each path answers with the
// status, content type and body registered for it; paths marked held wait
// until release().

#include <QHash>
#include <QTcpServer>
#include <QTcpSocket>

class HttpTestServer : public QTcpServer {
public:
    struct Answer {
        QByteArray type;
        QByteArray body;
        int status = 200;
        qint64 announcedLength = -1; // -1: the body's length
        bool held = false;
    };
    QHash<QByteArray, Answer> answers;
    QList<QTcpSocket*> held;
    QList<QByteArray> requests; // raw request heads

    HttpTestServer()
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = nextPendingConnection())
                connect(s, &QTcpSocket::readyRead, this, [this, s] { serve(s); });
        });
    }
    QString url(const QString& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1/%2").arg(serverPort()).arg(path);
    }
    void release()
    {
        const auto sockets = std::exchange(held, {});
        for (QTcpSocket* s : sockets)
            reply(s, answers.value(s->property("path").toByteArray()));
    }

private:
    void serve(QTcpSocket* s)
    {
        QByteArray buf = s->property("buf").toByteArray() + s->readAll();
        s->setProperty("buf", buf);
        if (!buf.contains("\r\n\r\n"))
            return;
        requests << buf;
        const QByteArray path = buf.split(' ').value(1).mid(1);
        s->setProperty("path", path);
        const Answer a = answers.value(path, Answer{"text/plain", "yok", 404});
        if (a.held) {
            held << s;
            return;
        }
        reply(s, a);
    }
    static void reply(QTcpSocket* s, const Answer& a)
    {
        const qint64 len = a.announcedLength >= 0 ? a.announcedLength : a.body.size();
        QByteArray head = "HTTP/1.1 " + QByteArray::number(a.status) +
                          " X\r\nConnection: close\r\nContent-Length: " + QByteArray::number(len) +
                          "\r\n";
        if (!a.type.isEmpty())
            head += "Content-Type: " + a.type + "\r\n";
        s->write(head + "\r\n" + a.body);
        s->disconnectFromHost();
    }
};
