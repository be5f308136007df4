#include "browser/NavigateErrorCode.h"
#include "browser/modWebBrowserErrors.h"

#include <gtest/gtest.h>

#include <cstdint>

using tessaly::NavigateErrorCode;
using tessaly::modWebBrowserErrors::NavigateErrorText;
using Domain = QWebEngineLoadingInfo;

// By number or by text: a text matches only exactly as written, and the last matching row
// wins for a shared code.
TEST(NavigateErrorText, CodesNameTheFailureOrFallBack)
{
    const std::pair<QString, const char *> cases[] = {
        {QStringLiteral("404"), "NOT_FOUND(404)"},
        {QStringLiteral("449"), "RETRY_WITH(449)"},
        {QStringLiteral("-2147024891"), "Access Denied(-2147024891)"},
        {QStringLiteral("-2146697196"), "REDIRECTING(-2146697196)"},
        {QStringLiteral("-2146697205"), "CONNECTION_TIMEOUT(-2146697205)"},
        {QStringLiteral("0x800c0002L"), "Unknown Error: 0x800c0002L"},
        {QStringLiteral("0x800C0002"), "Unknown Error: 0x800C0002"},
        {QString(), "Unknown Error: "},
        {QStringLiteral(" 404"), "Unknown Error:  404"},
    };
    for (const auto &[code, text] : cases)
        EXPECT_EQ(NavigateErrorText(code), QString::fromLatin1(text)) << code.toStdString();
    for (int code : {200, 399, 416, 0, -1})
        EXPECT_EQ(NavigateErrorText(code), QStringLiteral("Unknown Error: %1").arg(code));
}

// Each result-code row gives one text by number or by hex text, and repeats its code; the
// texts themselves are checked by number.
TEST(NavigateErrorText, EveryResultCodeRowIsConsistent)
{
    const std::uint32_t lows[] = {0x02, 0x03, 0x04, 0x05,  0x06,  0x07,  0x08,  0x09, 0x0A,
                                  0x0B, 0x0C, 0x0D, 0x0E,  0x0F,  0x10,  0x14,  0x15, 0x16,
                                  0x17, 0x18, 0x19, 0x100, 0x200, 0x300, 0x400, 0x500};
    for (std::uint32_t low : lows) {
        const auto code = std::int32_t(0x800C0000u | low);
        const QString hex = QStringLiteral("0x800C%1L")
                                .arg(QString::number(low, 16).toUpper(), 4, QLatin1Char('0'));
        const QString byNumber = NavigateErrorText(code);
        SCOPED_TRACE(hex.toStdString());
        EXPECT_EQ(NavigateErrorText(hex), byNumber);
        EXPECT_TRUE(byNumber.endsWith(QStringLiteral("(%1)").arg(code)));
    }
}

// A 404, a 401 and a refused connection are loaded for real by the browsing tests; these are
// the rest.
TEST(NavigateErrorCode, LoadFailuresMapOntoTexts)
{
    const struct
    {
        Domain::ErrorDomain domain;
        int code;
        const char *text;
    } cases[] = {
        {Domain::HttpStatusCodeDomain, 418, "Unknown Error: 418"},
        {Domain::HttpStatusCodeDomain, 500, "SERVER_ERROR(500)"},
        {Domain::ConnectionErrorDomain, -105, "RESOURCE_NOT_FOUND(-2146697211)"},
        {Domain::ConnectionErrorDomain, -118, "CONNECTION_TIMEOUT(-2146697205)"},
        {Domain::HttpErrorDomain, -310, "REDIRECTING(-2146697196)"},
        {Domain::HttpErrorDomain, -324, "DATA_NOT_AVAILABLE(-2146697209)"},
        {Domain::HttpErrorDomain, -300, "INVALID_URL(-2146697214)"},
        {Domain::HttpErrorDomain, -302, "UNKNOWN_PROTOCOL(-2146697203)"},
        {Domain::InternalErrorDomain, -10, "Access Denied(-2147024891)"},
        {Domain::ConnectionErrorDomain, -20, "SECURITY_PROBLEM(-2146697202)"},
        {Domain::ConnectionErrorDomain, -999, "DOWNLOAD_FAILURE(-2146697208)"},
        {Domain::CertificateErrorDomain, -202, "INVALID_CERTIFICATE(-2146697191)"},
        {Domain::ConnectionErrorDomain, -201, "INVALID_CERTIFICATE(-2146697191)"},
    };
    for (const auto &c : cases) {
        const auto mapped = NavigateErrorCode(c.domain, c.code);
        ASSERT_TRUE(mapped.has_value()) << c.code;
        EXPECT_EQ(NavigateErrorText(*mapped), QString::fromLatin1(c.text)) << c.code;
    }
    // A stopped or replaced load is no error.
    EXPECT_FALSE(NavigateErrorCode(Domain::InternalErrorDomain, -3).has_value());
    EXPECT_FALSE(NavigateErrorCode(Domain::NoErrorDomain, 0).has_value());
}
