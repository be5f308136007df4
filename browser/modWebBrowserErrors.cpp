#include "browser/modWebBrowserErrors.h"

#include <array>
#include <string_view>

namespace tessaly::modWebBrowserErrors {

namespace {

struct ErrorRow
{
    std::string_view hexText; // empty for HTTP rows
    std::string_view decimalText;
    std::string_view displayText;
};

// Tested in this order; a later match replaces an earlier one, which is why the two rows
// sharing -2146697196 always give "REDIRECTING".
constexpr std::array<ErrorRow, 51> kRows{{
    {"", "502", "BAD_GATEWAY(502)"},
    {"", "405", "BAD_METHOD(405)"},
    {"", "400", "BAD_REQUEST(400)"},
    {"", "409", "CONFLICT(409)"},
    {"", "401", "DENIED(401)"},
    {"", "403", "FORBIDDEN(403)"},
    {"", "504", "GATEWAY_TIMEOUT(504)"},
    {"", "410", "GONE(410)"},
    {"", "411", "LENGTH_REQUIRED(411)"},
    {"", "406", "NONE_ACCEPTABLE(406)"},
    {"", "404", "NOT_FOUND(404)"},
    {"", "501", "NOT_SUPPORTED(501)"},
    {"", "402", "PAYMENT_REQ(402)"},
    {"", "412", "PRECOND_FAILED(412)"},
    {"", "407", "PROXY_AUTH_REQ(407)"},
    {"", "408", "REQUEST_TIMEOUT(408)"},
    {"", "413", "REQUEST_TOO_LARGE(413)"},
    {"", "449", "RETRY_WITH(449)"},
    {"", "500", "SERVER_ERROR(500)"},
    {"", "503", "SERVICE_UNAVAIL(503)"},
    {"", "415", "UNSUPPORTED_MEDIA(415)"},
    {"", "414", "URI_TOO_LONG(414)"},
    {"", "505", "VERSION_NOT_SUP(505)"},
    {"", "-2147024891", "Access Denied(-2147024891)"},
    {"0x800C0009L", "-2146697207", "AUTHENTICATION_REQUIRED(-2146697207)"},
    {"0x800C0004L", "-2146697212", "CANNOT_CONNECT(-2146697212)"},
    {"0x800C0010L", "-2146697200", "CANNOT_INSTANTIATE_OBJECT(-2146697200)"},
    {"0x800C000FL", "-2146697201", "CANNOT_LOAD_DATA(-2146697201)"},
    {"0x800C0016L", "-2146697194", "CANNOT_LOCK_REQUEST(-2146697194)"},
    {"0x800C0300L", "-2146696448", "CANNOT_REPLACE_SFP_FILE(-2146696448)"},
    {"0x800C0100L", "-2146696960", "CODE_DOWNLOAD_DECLINED(-2146696960)"},
    {"0x800C0500L", "-2146695936", "CODE_INSTALL_BLOCKED_BY_HASH_POLICY(-2146695936)"},
    {"0x800C0400L", "-2146696192", "CODE_INSTALL_SUPPRESSED(-2146696192)"},
    {"0x800C000BL", "-2146697205", "CONNECTION_TIMEOUT(-2146697205)"},
    {"0x800C0007L", "-2146697209", "DATA_NOT_AVAILABLE(-2146697209)"},
    {"0x800C0008L", "-2146697208", "DOWNLOAD_FAILURE(-2146697208)"},
    {"0x800C0019L", "-2146697191", "INVALID_CERTIFICATE(-2146697191)"},
    {"0x800C000CL", "-2146697204", "INVALID_REQUEST(-2146697204)"},
    {"0x800C0002L", "-2146697214", "INVALID_URL(-2146697214)"},
    {"0x800C0003L", "-2146697213", "NO_SESSION(-2146697213)"},
    {"0x800C000AL", "-2146697206", "NO_VALID_MEDIA(-2146697206)"},
    {"0x800C0006L", "-2146697210", "OBJECT_NOT_FOUND(-2146697210)"},
    {"0x800C0014L", "-2146697196", "REDIRECT_FAILED(-2146697196)"},
    {"0x800C0015L", "-2146697195", "REDIRECT_TO_DIR(-2146697195)"},
    {"0x800C0014L", "-2146697196", "REDIRECTING(-2146697196)"},
    {"0x800C0005L", "-2146697211", "RESOURCE_NOT_FOUND(-2146697211)"},
    {"0x800C0200L", "-2146696704", "RESULT_DISPATCHED(-2146696704)"},
    {"0x800C000EL", "-2146697202", "SECURITY_PROBLEM(-2146697202)"},
    {"0x800C0018L", "-2146697192", "TERMINATED_BIND(-2146697192)"},
    {"0x800C000DL", "-2146697203", "UNKNOWN_PROTOCOL(-2146697203)"},
    {"0x800C0017L", "-2146697193", "USE_EXTEND_BINDING(-2146697193)"},
}};

bool matches(std::string_view rowText, const QString &code)
{
    return !rowText.empty() && code == QLatin1String(rowText.data(), qsizetype(rowText.size()));
}

} // namespace

QString NavigateErrorText(std::int32_t code)
{
    return NavigateErrorText(QString::number(code));
}

QString NavigateErrorText(const QString &code)
{
    QString result;
    for (const ErrorRow &row : kRows) {
        if (matches(row.hexText, code) || matches(row.decimalText, code))
            result = QString::fromLatin1(row.displayText.data(), qsizetype(row.displayText.size()));
    }
    if (result.isEmpty())
        result = QStringLiteral("Unknown Error: ") + code;
    return result;
}

} // namespace tessaly::modWebBrowserErrors
