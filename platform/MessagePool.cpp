#include "platform/MessagePool.h"

#include <QByteArray>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QVariant>
#include <QtEndian>

#include <unistd.h>

namespace {

constexpr int HeaderBytes = 8;
constexpr int ConnectTimeoutMs = 1000;
// A client that does not finish its message in this time is dropped.
constexpr int ReceiveTimeoutMs = 5000;
constexpr const char* BufferProperty = "poolBuffer";

bool Connect(QLocalSocket& Socket, const QString& ProgramName)
{
    Socket.connectToServer(MessagePoolName(ProgramName));
    return Socket.waitForConnected(ConnectTimeoutMs);
}

} // namespace

QString MessagePoolName(const QString& ProgramName)
{
    return QStringLiteral("Brellamonte-%1-%2").arg(ProgramName).arg(getuid());
}

TMessagePoolServer::TMessagePoolServer(QObject* Parent)
    : QObject(Parent), FServer(new QLocalServer(this))
{
    FServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(FServer, &QLocalServer::newConnection, this, &TMessagePoolServer::Accept);
}

bool TMessagePoolServer::Listen(const QString& ProgramName)
{
    // Listening may replace a socket file that is in use, so ask first.
    if (FindRunningInstance(ProgramName))
        return false;
    const QString Name = MessagePoolName(ProgramName);
    if (FServer->listen(Name))
        return true;
    if (FServer->serverError() != QAbstractSocket::AddressInUseError)
        return false;
    // Left behind by an instance that ended.
    QLocalServer::removeServer(Name);
    return FServer->listen(Name);
}

bool TMessagePoolServer::IsListening() const
{
    return FServer->isListening();
}

void TMessagePoolServer::Accept()
{
    while (QLocalSocket* Socket = FServer->nextPendingConnection()) {
        connect(Socket, &QLocalSocket::disconnected, Socket, &QObject::deleteLater);
        connect(Socket, &QLocalSocket::readyRead, this, [this, Socket] { ReadFrom(Socket); });
        QTimer::singleShot(ReceiveTimeoutMs, Socket, [Socket] { Socket->abort(); });
        if (Socket->bytesAvailable() > 0)
            ReadFrom(Socket);
    }
}

void TMessagePoolServer::ReadFrom(QLocalSocket* Socket)
{
    QByteArray Buffer = Socket->property(BufferProperty).toByteArray();
    Buffer += Socket->read(HeaderBytes + MaxPoolTextBytes - Buffer.size());
    Socket->setProperty(BufferProperty, Buffer);
    if (Buffer.size() < HeaderBytes)
        return;
    const auto* Header = reinterpret_cast<const uchar*>(Buffer.constData());
    const qint32 Code = qFromBigEndian<qint32>(Header);
    const quint32 Length = qFromBigEndian<quint32>(Header + 4);
    if (Length > static_cast<quint32>(MaxPoolTextBytes)) {
        Socket->abort();
        return;
    }
    if (Buffer.size() < HeaderBytes + static_cast<qsizetype>(Length))
        return;
    // One message per connection: anything after it is ignored.
    Socket->setProperty(BufferProperty, QVariant());
    Socket->disconnectFromServer();
    emit MessageReceived(Code, QString::fromUtf8(Buffer.constData() + HeaderBytes,
                                                 static_cast<qsizetype>(Length)));
}

bool FindRunningInstance(const QString& ProgramName)
{
    QLocalSocket Socket;
    if (!Connect(Socket, ProgramName))
        return false;
    Socket.abort();
    return true;
}

bool SendStringToWindow(const QString& Text, const QString& ProgramName, int Code)
{
    const QByteArray Bytes = Text.toUtf8();
    if (Bytes.size() > MaxPoolTextBytes)
        return false;
    QByteArray Message(HeaderBytes, '\0');
    auto* Header = reinterpret_cast<uchar*>(Message.data());
    qToBigEndian<qint32>(Code, Header);
    qToBigEndian<quint32>(static_cast<quint32>(Bytes.size()), Header + 4);
    Message += Bytes;

    QLocalSocket Socket;
    if (!Connect(Socket, ProgramName))
        return false;
    Socket.write(Message);
    while (Socket.bytesToWrite() > 0)
        if (!Socket.waitForBytesWritten(ConnectTimeoutMs))
            return false;
    Socket.disconnectFromServer();
    return true;
}
