// Setting the PC's clock: the kernel first, timedatectl when the process lacks the right.
// The ways to the system are replaced; nothing here touches the machine's clock.
#include "phone/Systemuhr.h"

#include <QElapsedTimer>
#include <QTimer>
#include <cerrno>
#include <gtest/gtest.h>

namespace {

class Linuxuhr : public ::testing::Test {
protected:
    Linuxuhr()
    {
        uhr.Kernel_Stellen = [this](const timespec& t) {
            kernel.push_back(t);
            return kernelFehler;
        };
        uhr.Programm_Ausfuehren = [this](const QString& programm, const QStringList& argumente, QString* fehler) {
            aufrufe << (QStringList{programm} + argumente).join('|');
            *fehler = programmFehler;
            return programmFehler.isEmpty();
        };
    }

    LinuxSystemuhr uhr;
    std::vector<timespec> kernel;
    int kernelFehler = 0;
    QStringList aufrufe;
    QString programmFehler;
};

TEST_F(Linuxuhr, KernelSetsTheLocalTime)
{
    const QDateTime zeit(QDate(2001, 3, 5), QTime(12, 34, 56));
    QString grund;
    EXPECT_TRUE(uhr.Stellen(zeit, &grund));
    ASSERT_EQ(kernel.size(), 1u);
    EXPECT_EQ(kernel[0].tv_sec, zeit.toSecsSinceEpoch());
    EXPECT_EQ(kernel[0].tv_nsec, 0);
    EXPECT_TRUE(aufrufe.isEmpty());
}

TEST_F(Linuxuhr, WithoutTheRightTimedatectlIsAsked)
{
    kernelFehler = EPERM;
    QString grund;
    EXPECT_TRUE(uhr.Stellen(QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58)), &grund));
    EXPECT_EQ(aufrufe, QStringList{"timedatectl|set-time|2024-02-29 23:59:58"});

    programmFehler = QStringLiteral("Automatic time synchronization is enabled");
    EXPECT_FALSE(uhr.Stellen(QDateTime(QDate(2024, 2, 29), QTime(1, 2, 3)), &grund));
    EXPECT_EQ(grund, programmFehler);
}

TEST_F(Linuxuhr, OtherKernelErrorsAreNotRetried)
{
    kernelFehler = EINVAL;
    QString grund;
    EXPECT_FALSE(uhr.Stellen(QDateTime(QDate(2024, 2, 29), QTime(1, 2, 3)), &grund));
    EXPECT_FALSE(grund.isEmpty());
    EXPECT_TRUE(aufrufe.isEmpty());
    EXPECT_FALSE(uhr.Stellen(QDateTime(), &grund));
    EXPECT_EQ(kernel.size(), 1u);
}

TEST(Programm, WaitIsBoundedAndTheEventLoopKeepsTurning)
{
    bool getickt = false;
    QTimer::singleShot(20, [&] { getickt = true; });
    QElapsedTimer dauer;
    dauer.start();
    QString fehler;
    EXPECT_FALSE(Programm_Ausfuehren_Begrenzt(QStringLiteral("sleep"), {QStringLiteral("5")}, &fehler, 300));
    EXPECT_LT(dauer.elapsed(), 3000);
    EXPECT_TRUE(getickt);
    EXPECT_FALSE(fehler.isEmpty());

    EXPECT_TRUE(Programm_Ausfuehren_Begrenzt(QStringLiteral("true"), {}, &fehler, 5000));
    EXPECT_FALSE(Programm_Ausfuehren_Begrenzt(QStringLiteral("false"), {}, &fehler, 5000));
}

TEST_F(Linuxuhr, DateAndTimeAloneKeepTheOtherPart)
{
    QString grund;
    const QDateTime vorher = uhr.Jetzt();
    ASSERT_TRUE(uhr.Datum_Setzen(QDate(2030, 1, 2), &grund));
    const QDateTime gesetzt = QDateTime::fromSecsSinceEpoch(kernel.back().tv_sec);
    EXPECT_EQ(gesetzt.date(), QDate(2030, 1, 2));
    const int abstand = std::abs(gesetzt.time().secsTo(vorher.time()));
    EXPECT_TRUE(abstand <= 2 || abstand >= 86398) << abstand;  // around midnight

    ASSERT_TRUE(uhr.Zeit_Setzen(QTime(4, 5, 6), &grund));
    const QDateTime zeit = QDateTime::fromSecsSinceEpoch(kernel.back().tv_sec);
    EXPECT_EQ(zeit.time(), QTime(4, 5, 6));
    EXPECT_LE(std::abs(zeit.date().daysTo(QDate::currentDate())), 1);
}

}  // namespace
