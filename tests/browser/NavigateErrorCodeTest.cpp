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
    EXPECT_EQ(textFor(Domain::ConnectionErrorDomain, -102),
              QStringLiteral("CANNOT_CONNECT(-2146697212)"));
    EXPECT_EQ(textFor(Domain::ConnectionErrorDomain, -105),
              QStringLiteral("RESOURCE_NOT_FOUND(-2146697211)"));
    EXPECT_EQ(textFor(Domain::DnsErrorDomain, -137),
              QStringLiteral("RESOURCE_NOT_FOUND(-2146697211)"));
    EXPECT_EQ(textFor(Domain::ConnectionErrorDomain, -118),
              QStringLiteral("CONNECTION_TIMEOUT(-2146697205)"));
    EXPECT_EQ(textFor(Domain::HttpErrorDomain, -310), QStringLiteral("REDIRECTING(-2146697196)"));
    EXPECT_EQ(textFor(Domain::HttpErrorDomain, -324),
              QStringLiteral("DATA_NOT_AVAILABLE(-2146697209)"));
    EXPECT_EQ(textFor(Domain::HttpErrorDomain, -300), QStringLiteral("INVALID_URL(-2146697214)"));
    EXPECT_EQ(textFor(Domain::HttpErrorDomain, -302),
              QStringLiteral("UNKNOWN_PROTOCOL(-2146697203)"));
    EXPECT_EQ(textFor(Domain::InternalErrorDomain, -10),
              QStringLiteral("Access Denied(-2147024891)"));
    EXPECT_EQ(textFor(Domain::ConnectionErrorDomain, -20),
              QStringLiteral("SECURITY_PROBLEM(-2146697202)"));
    EXPECT_EQ(textFor(Domain::ConnectionErrorDomain, -999),
              QStringLiteral("DOWNLOAD_FAILURE(-2146697208)"));
}

TEST(NavigateErrorCode, CertificateFailuresAreInvalidCertificates)
{
    EXPECT_EQ(textFor(Domain::CertificateErrorDomain, -202),
              QStringLiteral("INVALID_CERTIFICATE(-2146697191)"));
    EXPECT_EQ(textFor(Domain::ConnectionErrorDomain, -201),
              QStringLiteral("INVALID_CERTIFICATE(-2146697191)"));
}

TEST(NavigateErrorCode, AStoppedOrReplacedLoadIsNoError)
{
    EXPECT_FALSE(NavigateErrorCode(Domain::InternalErrorDomain, -3).has_value());
    EXPECT_FALSE(NavigateErrorCode(Domain::NoErrorDomain, 0).has_value());
}
