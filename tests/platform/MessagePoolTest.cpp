#include "platform/MessagePool.h"

#include "tests/platform/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QLocalServer>
#include <QLocalSocket>
#include <QtEndian>

#include <memory>

#include <unistd.h>

namespace {

QByteArray Header(qint32 Code, quint32 Length)
{
    QByteArray Bytes(8, '\0');
    qToBigEndian<qint32>(Code, Bytes.data());
    qToBigEndian<quint32>(Length, Bytes.data() + 4);
    return Bytes;
}

} // namespace

TEST(MessagePool, SendsATextWithItsCodeToTheOneInstance)
{
    const QString Program = QStringLiteral("VentrixTest-send-%1").arg(getpid()); // no other run uses it
    EXPECT_FALSE(FindRunningInstance(Program));
    EXPECT_FALSE(SendStringToWindow(QStringLiteral("x"), Program, 3));

    auto Server = std::make_unique<TMessagePoolServer>();
    TReceived Received(*Server);
    ASSERT_TRUE(Server->Listen(Program));
    EXPECT_TRUE(FindRunningInstance(Program));

    // Texts, the empty one too, arrive whole with their code; one beyond the limit is refused.
    for (const auto& [Text, Code] : {std::pair{QStringLiteral("/home/u/Plan \u00FC 1.vtx -x"), 3}, {QString(), -7}}) {
        const int Before = Received.Count;
        ASSERT_TRUE(SendStringToWindow(Text, Program, Code));
        ASSERT_TRUE(PumpUntil([&] { return Received.Count == Before + 1; }));
        EXPECT_EQ(std::pair(Received.Code, Received.Text), std::pair(Code, Text));
    }
    EXPECT_FALSE(SendStringToWindow(QString(MaxPoolTextBytes + 1, QLatin1Char('a')), Program, 1));

    // One instance per user and program, until it ends.
    EXPECT_FALSE(TMessagePoolServer().Listen(Program));
    EXPECT_TRUE(FindRunningInstance(Program));
    Server.reset();
    EXPECT_FALSE(FindRunningInstance(Program));
    EXPECT_TRUE(TMessagePoolServer().Listen(Program));
}

TEST(MessagePool, BadClientsAreDropped)
{
    const QString Program = QStringLiteral("VentrixTest-bad-%1").arg(getpid());
    TMessagePoolServer Server;
    TReceived Received(Server);
    ASSERT_TRUE(Server.Listen(Program));

    // A length beyond the limit: dropped without a message.
    QLocalSocket Hostile, Slow;
    for (QLocalSocket* Socket : {&Hostile, &Slow}) {
        Socket->connectToServer(MessagePoolName(Program));
        ASSERT_TRUE(Socket->waitForConnected(1000));
    }
    Hostile.write(Header(3, 0xFFFFFFFFu) + "abc");
    ASSERT_TRUE(Hostile.waitForBytesWritten(1000));
    EXPECT_TRUE(PumpUntil([&] { return Hostile.state() == QLocalSocket::UnconnectedState; }));
    EXPECT_EQ(Received.Count, 0);

    // A message arriving in pieces still counts once, whole.
    for (const QByteArray& Piece : {Header(5, 6).left(3), Header(5, 6).mid(3) + "ab"}) {
        Slow.write(Piece);
        Slow.flush();
        PumpUntil([] { return false; }, 100);
    }
    EXPECT_EQ(Received.Count, 0);
    Slow.write("cdef");
    Slow.flush();
    ASSERT_TRUE(PumpUntil([&] { return Received.Count == 1; }));
    EXPECT_EQ(std::pair(Received.Code, Received.Text), std::pair(5, QStringLiteral("abcdef")));
}
