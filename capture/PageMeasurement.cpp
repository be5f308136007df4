#include "capture/PageMeasurement.h"

#include "base/EventYield.h"
#include "capture/CaptureState.h"

#include <cmath>

#include <functional>
#include <map>

namespace tessaly {

QString PageMeasurement::formatCandidate(double value)
{
    // "000000000": whole number, zero-padded to at least nine digits.
    const qlonglong whole = qlonglong(std::nearbyint(value));
    return QStringLiteral("%1").arg(whole, 9, 10, QLatin1Char('0'));
}

void PageMeasurement::AddHeightCandidate(float pixels)
{
    m_state.List2.append(formatCandidate(double(m_state.twips.toTwipsY(pixels))));
}

void PageMeasurement::GetPageSizes()
{
    BrowserView *view = m_state.activeView();
    if (!view)
        return;

    m_state.List2.append(formatCandidate(double(view->Height())));
    yieldToEvents();

    // A read that fails leaves the value at 0 and counts its test as true, so a page whose
    // height cannot be read contributes only small candidates.
    const auto topHeight = [view] { return view->bodyScrollHeight(); };
    const auto third = [](std::optional<int> h) {
        return h ? std::int32_t(std::nearbyint(double(*h) / 3.0)) : 0;
    };

    {
        std::int32_t documentHeight = topHeight().value_or(0);
        const std::int32_t allowance = third(topHeight());
        yieldToEvents();
        const std::optional<int> top = topHeight();
        std::int32_t candidate = 0;
        if (!top || double(view->Height()) <= double(*top))
            candidate = documentHeight + allowance + 15;
        else
            candidate = documentHeight + 15;
        yieldToEvents();
        AddHeightCandidate(float(candidate));
        yieldToEvents();
        yieldToEvents();
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
        yieldToEvents();
        AddHeightCandidate(float(tall ? documentHeight + allowance : documentHeight));
        yieldToEvents();
    };

    for (qsizetype a = 0; a < m_state.List1.size(); ++a) {
        for (qsizetype b = 0; b < m_state.List1.size(); ++b) {
            for (qsizetype c = 0; c < m_state.List1.size(); ++c) {
                const QString nameA =
                    m_state.List1.at(a); // copies: m_state.List1 may grow at a yield
                const QString nameB = m_state.List1.at(b);
                const QString nameC = m_state.List1.at(c);
                const std::int32_t allowance = third(heightOf({}));
                yieldToEvents();
                frameCandidate({nameA}, allowance);
                frameCandidate({nameA, nameB}, allowance);
                frameCandidate({nameA, nameB, nameC}, allowance);
                yieldToEvents();
            }
        }
    }
}

} // namespace tessaly
