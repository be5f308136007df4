#include "browser/modWebBrowserErrors.h"

#include <gtest/gtest.h>

#include <cstdint>

using tessaly::modWebBrowserErrors::NavigateErrorText;

namespace {

std::int32_t resultCode(std::uint32_t bits)
{
    return static_cast<std::int32_t>(bits);
}

} // namespace

TEST(NavigateErrorText, HttpStatusCodesNameTheFailure)
{
    EXPECT_EQ(NavigateErrorText(404), QStringLiteral("NOT_FOUND(404)"));
    EXPECT_EQ(NavigateErrorText(500), QStringLiteral("SERVER_ERROR(500)"));
    EXPECT_EQ(NavigateErrorText(502), QStringLiteral("BAD_GATEWAY(502)"));
    EXPECT_EQ(NavigateErrorText(505), QStringLiteral("VERSION_NOT_SUP(505)"));
    EXPECT_EQ(NavigateErrorText(449), QStringLiteral("RETRY_WITH(449)"));
}

TEST(NavigateErrorText, ResultCodesMatchThroughTheirSignedDecimalText)
{
    EXPECT_EQ(NavigateErrorText(resultCode(0x80070005u)),
              QStringLiteral("Access Denied(-2147024891)"));
    EXPECT_EQ(NavigateErrorText(resultCode(0x800C0002u)),
              QStringLiteral("INVALID_URL(-2146697214)"));
    EXPECT_EQ(NavigateErrorText(resultCode(0x800C0500u)),
              QStringLiteral("CODE_INSTALL_BLOCKED_BY_HASH_POLICY(-2146695936)"));
    EXPECT_EQ(NavigateErrorText(QStringLiteral("-2146697205")),
              QStringLiteral("CONNECTION_TIMEOUT(-2146697205)"));
}

TEST(NavigateErrorText, LastMatchingRowWinsForSharedCode)
{
    EXPECT_EQ(NavigateErrorText(resultCode(0x800C0014u)),
              QStringLiteral("REDIRECTING(-2146697196)"));
    EXPECT_EQ(NavigateErrorText(QStringLiteral("0x800C0014L")),
              QStringLiteral("REDIRECTING(-2146697196)"));
}

TEST(NavigateErrorText, HexTextMatchesOnlyExactlyAsWritten)
{
    EXPECT_EQ(NavigateErrorText(QStringLiteral("0x800C0002L")),
              QStringLiteral("INVALID_URL(-2146697214)"));
    EXPECT_EQ(NavigateErrorText(QStringLiteral("0x800c0002L")),
              QStringLiteral("Unknown Error: 0x800c0002L"));
    EXPECT_EQ(NavigateErrorText(QStringLiteral("0x800C0002")),
              QStringLiteral("Unknown Error: 0x800C0002"));
}

TEST(NavigateErrorText, UnknownCodesFallBackAndAreNeverEmpty)
{
    for (int code : {200, 399, 416, 0, -1})
        EXPECT_EQ(NavigateErrorText(code), QStringLiteral("Unknown Error: ") + QString::number(code));
    EXPECT_EQ(NavigateErrorText(QString()), QStringLiteral("Unknown Error: "));
    EXPECT_EQ(NavigateErrorText(QStringLiteral(" 404")), QStringLiteral("Unknown Error:  404"));
}

// Every result-code row must give the same text whether the code arrives as a number or
// as its hexadecimal text, and every text must repeat the code it names.
TEST(NavigateErrorText, EveryResultCodeRowIsConsistent)
{
    const std::uint32_t lows[] = {0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B,
                                  0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x14, 0x15, 0x16, 0x17, 0x18,
                                  0x19, 0x100, 0x200, 0x300, 0x400, 0x500};
    for (std::uint32_t low : lows) {
        const std::uint32_t bits = 0x800C0000u | low;
        const QString decimal = QString::number(resultCode(bits));
        const QString hex = QStringLiteral("0x800C%1L")
                                .arg(QString::number(low, 16).toUpper(), 4, QLatin1Char('0'));
        const QString byNumber = NavigateErrorText(resultCode(bits));
        SCOPED_TRACE(hex.toStdString());
        EXPECT_FALSE(byNumber.startsWith(QStringLiteral("Unknown Error")));
        EXPECT_EQ(NavigateErrorText(hex), byNumber);
        EXPECT_TRUE(byNumber.endsWith(QLatin1Char('(') + decimal + QLatin1Char(')')));
    }
}
