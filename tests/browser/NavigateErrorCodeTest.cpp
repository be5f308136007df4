#include "browser/NavigateErrorCode.h"
#include "browser/modWebBrowserErrors.h"

#include <gtest/gtest.h>

using tessaly::NavigateErrorCode;
using tessaly::modWebBrowserErrors::NavigateErrorText;
using Domain = QWebEngineLoadingInfo;

namespace {

QString textFor(Domain::ErrorDomain domain, int code)
{
    const auto mapped = NavigateErrorCode(domain, code);
    return mapped ? NavigateErrorText(*mapped) : QStringLiteral("(none)");
}

} // namespace

TEST(NavigateErrorCode, HttpAnswersKeepTheirStatus)
{
    EXPECT_EQ(textFor(Domain::HttpStatusCodeDomain, 404), QStringLiteral("NOT_FOUND(404)"));
    EXPECT_EQ(textFor(Domain::HttpStatusCodeDomain, 500), QStringLiteral("SERVER_ERROR(500)"));
    EXPECT_EQ(textFor(Domain::HttpStatusCodeDomain, 401), QStringLiteral("DENIED(401)"));
    EXPECT_EQ(textFor(Domain::HttpStatusCodeDomain, 418), QStringLiteral("Unknown Error: 418"));
}

TEST(NavigateErrorCode, NetworkFailuresMapOntoResultCodes)
{
    struct Row
    {
        Domain::ErrorDomain domain;
        int code;
        const char *text;
    };
    const Row rows[] = {
        {Domain::ConnectionErrorDomain, -102, "CANNOT_CONNECT(-2146697212)"},
        {Domain::ConnectionErrorDomain, -105, "RESOURCE_NOT_FOUND(-2146697211)"},
        {Domain::DnsErrorDomain, -137, "RESOURCE_NOT_FOUND(-2146697211)"},
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
    for (const Row &row : rows)
        EXPECT_EQ(textFor(row.domain, row.code), QString::fromLatin1(row.text)) << row.code;
}

TEST(NavigateErrorCode, AStoppedOrReplacedLoadIsNoError)
{
    EXPECT_FALSE(NavigateErrorCode(Domain::InternalErrorDomain, -3).has_value());
    EXPECT_FALSE(NavigateErrorCode(Domain::NoErrorDomain, 0).has_value());
}
