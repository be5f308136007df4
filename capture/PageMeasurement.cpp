#include "capture/CaptureHost.h"

#include <cmath>

#include <functional>
#include <map>

namespace tessaly {

QString CaptureHost::formatCandidate(double value)
{
    // "000000000": whole number, zero-padded to at least nine digits.
    const qlonglong whole = qlonglong(std::nearbyint(value));
    return QStringLiteral("%1").arg(whole, 9, 10, QLatin1Char('0'));
}

void CaptureHost::AddHeightCandidate(float pixels)
{
    List2.append(formatCandidate(double(m_twips.toTwipsY(pixels))));
}

void CaptureHost::GetPageSizes()
{
    BrowserView *view = activeView();
    if (!view)
        return;

    List2.append(formatCandidate(double(view->Height())));
    yield();

    // A read that fails leaves the value at 0 and counts its test as true, so a page whose
    // height cannot be read contributes only small candidates.
    const auto topHeight = [view] { return view->bodyScrollHeight(); };
    const auto third = [](std::optional<int> h) {
        return h ? std::int32_t(std::nearbyint(double(*h) / 3.0)) : 0;
    };

    {
        std::int32_t documentHeight = topHeight().value_or(0);
        const std::int32_t allowance = third(topHeight());
        yield();
        const std::optional<int> top = topHeight();
        std::int32_t candidate = 0;
        if (!top || double(view->Height()) <= double(*top))
            candidate = documentHeight + allowance + 15;
        else
            candidate = documentHeight + 15;
        yield();
        AddHeightCandidate(float(candidate));
        yield();
        yield();
    }

    // Each path is read once, and a path into a frame that is not there is not read at all:
    // a page with many frame names is otherwise asked once per combination of three of them,
    // which takes minutes. The candidates are those the repeated reads would give.
    std::map<QStringList, std::optional<int>> known;
    std::function<std::optional<int>(const QStringList &)> heightOf =
        [&](const QStringList &path) -> std::optional<int> {
        if (const auto it = known.find(path); it != known.end())
            return it->second;
        std::optional<int> height;
        if (path.size() <= 1 || heightOf(path.first(path.size() - 1)))
            height = view->bodyScrollHeight(path);
        known.emplace(path, height);
        return height;
    };

    const auto frameCandidate = [&](const QStringList &path, std::int32_t allowance) {
        const std::int32_t documentHeight = heightOf(path).value_or(0);
        const std::optional<int> again = heightOf(path);
        const std::optional<int> top = heightOf({});
        const bool tall = !again || !top || *again >= *top;
        yield();
        AddHeightCandidate(float(tall ? documentHeight + allowance : documentHeight));
        yield();
    };

    for (qsizetype a = 0; a < List1.size(); ++a) {
        for (qsizetype b = 0; b < List1.size(); ++b) {
            for (qsizetype c = 0; c < List1.size(); ++c) {
                const QString nameA = List1.at(a); // copies: List1 may grow at a yield
                const QString nameB = List1.at(b);
                const QString nameC = List1.at(c);
                const std::int32_t allowance = third(heightOf({}));
                yield();
                frameCandidate({nameA}, allowance);
                frameCandidate({nameA, nameB}, allowance);
                frameCandidate({nameA, nameB, nameC}, allowance);
                yield();
            }
        }
    }
}

} // namespace tessaly
