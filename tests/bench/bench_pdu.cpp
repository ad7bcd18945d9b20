// Time to decode 10,000 PDUs of the message list (aim: under 100 ms).
#include "sms/PDU.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <cstdio>

TEST(BenchPDU, ZehntausendDekodieren)
{
    const QString langeNachricht = Module1::PDU_Kodieren(QString(159, QLatin1Char('x')), "+49171234567", false,
                                                          false, 0).PDU;
    const QString pdus[] = {
        QStringLiteral("0791947101670000040B919471214365F70000302010214365400AE8329BFD4697D9EC37"),
        QStringLiteral("0791947101670000062A0B919471214365F7302010214365403020102153804000"),
        QStringLiteral("0791947101670000040BD0C2FD785D96030000302010214365400AE8329BFD4697D9EC37"),
        QStringLiteral("0791947101670000") + langeNachricht.mid(2),
        // a part of a long message with a header, and a UCS2 text
        QStringLiteral("0791947101670000440B919471214365F700003020102143654010050003A102019069D086B7296F7C"),
        QStringLiteral("0791947101670000040B919471214365F700083020102143654016041F044004380432043504420020D83DDE0000"
                       "2020AC"),
    };
    QElapsedTimer uhr;
    uhr.start();
    qsizetype zeichen = 0;
    for (int i = 0; i < 10000; ++i) {
        const QString& pdu = pdus[i % 6];
        zeichen += (i % 6 == 3 ? Module1::PDUGesendet_Dekodieren(pdu) : Module1::PDU_Dekodieren(pdu)).size();
    }
    const double ms = uhr.nsecsElapsed() / 1e6;
    std::printf("10000 PDUs dekodiert in %.1f ms (%lld Zeichen)\n", ms, static_cast<long long>(zeichen));
    EXPECT_GT(zeichen, 0);
}
