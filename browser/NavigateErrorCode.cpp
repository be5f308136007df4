#include "browser/NavigateErrorCode.h"

namespace tessaly {

namespace {

// Download-layer result codes, as signed 32-bit values.
constexpr std::int32_t result(std::uint32_t code)
{
    return std::int32_t(code);
}
constexpr std::int32_t AccessDenied = result(0x80070005);
constexpr std::int32_t InvalidUrl = result(0x800C0002);
constexpr std::int32_t CannotConnect = result(0x800C0004);
constexpr std::int32_t ResourceNotFound = result(0x800C0005);
constexpr std::int32_t ObjectNotFound = result(0x800C0006);
constexpr std::int32_t DataNotAvailable = result(0x800C0007);
constexpr std::int32_t DownloadFailure = result(0x800C0008);
constexpr std::int32_t AuthenticationRequired = result(0x800C0009);
constexpr std::int32_t ConnectionTimeout = result(0x800C000B);
constexpr std::int32_t InvalidRequest = result(0x800C000C);
constexpr std::int32_t UnknownProtocol = result(0x800C000D);
constexpr std::int32_t SecurityProblem = result(0x800C000E);
constexpr std::int32_t CannotLoadData = result(0x800C000F);
constexpr std::int32_t RedirectFailed = result(0x800C0014);
constexpr std::int32_t InvalidCertificate = result(0x800C0019);

// The engine's network error numbers (negative; grouped by hundreds).
std::int32_t fromNetworkError(int error)
{
    switch (error) {
    case -6: // file not found
        return ObjectNotFound;
    case -7:   // timed out
    case -118: // connection timed out
        return ConnectionTimeout;
    case -10: // access denied
        return AccessDenied;
    case -20:  // blocked by the client
    case -22:  // blocked by the administrator
    case -27:  // blocked by the response
    case -312: // port not allowed
        return SecurityProblem;
    case -105: // name not resolved
    case -137: // name resolution failed
        return ResourceNotFound;
    case -100: // connection closed
    case -101: // connection reset
    case -103: // connection aborted
        return DownloadFailure;
    case -107: // TLS protocol error
    case -113: // TLS version or cipher mismatch
    case -117: // bad TLS client authentication certificate
        return SecurityProblem;
    case -300: // invalid URL
        return InvalidUrl;
    case -301: // disallowed scheme
    case -302: // unknown scheme
        return UnknownProtocol;
    case -310: // too many redirects
    case -311: // unsafe redirect
        return RedirectFailed;
    case -320: // invalid response
    case -324: // empty response
        return DataNotAvailable;
    case -330: // content decoding failed
        return CannotLoadData;
    case -338: // invalid credentials
    case -341: // unsupported authentication scheme
        return AuthenticationRequired;
    default:
        break;
    }
    if (error <= -200 && error > -300)
        return InvalidCertificate;
    if (error <= -100 && error > -200)
        return CannotConnect;
    if (error <= -300 && error > -400)
        return InvalidRequest;
    if (error <= -800 && error > -900) // name resolver
        return ResourceNotFound;
    return DownloadFailure;
}

} // namespace

std::optional<std::int32_t> NavigateErrorCode(QWebEngineLoadingInfo::ErrorDomain domain,
                                              int errorCode)
{
    switch (domain) {
    case QWebEngineLoadingInfo::NoErrorDomain:
        return std::nullopt;
    case QWebEngineLoadingInfo::HttpStatusCodeDomain:
        return errorCode;
    case QWebEngineLoadingInfo::CertificateErrorDomain:
        return InvalidCertificate;
    case QWebEngineLoadingInfo::DnsErrorDomain:
        return ResourceNotFound;
    default:
        // Aborted: stopped, or replaced by another navigation.
        if (errorCode == -3)
            return std::nullopt;
        return fromNetworkError(errorCode);
    }
}

} // namespace tessaly
