#include "fw/ui/progress_model.h"

#include <algorithm>
#include <cmath>

#include "fw/platform/system_code_page.h"
#include "fw/text/one_line_name.h"

namespace fw {

namespace {

// The rate is smoothed over about this many seconds, so a stall or a burst
// moves the estimate gradually.
constexpr double kRateSmoothingSeconds = 4.0;
// Samples closer together than this are merged with the next one.
constexpr double kMinimumSampleSeconds = 0.2;
// The rate counts as known after this much measuring.
constexpr double kRateKnownAfterSeconds = 1.0;
// The text changes at most this often.
constexpr double kTextIntervalSeconds = 1.0;

std::string WithNumber(const std::string& pattern, long long number) {
    std::string text = pattern;
    const std::size_t at = text.find("%1");
    if (at != std::string::npos) {
        text.replace(at, 2, std::to_string(number));
    }
    return text;
}

} // namespace

void ProgressModel::Update(const SharedWorkProgress& progress, double seconds) {
    const std::uint64_t total = progress.Total();
    const std::uint64_t done = progress.Done();
    m_item = progress.Item();
    if (progress.Finishing()) {
        m_finishing = true;
        m_remaining = m_texts.finishing;
    }
    if (total > 0) {
        const double fraction = static_cast<double>(done) / static_cast<double>(total);
        const int bar = static_cast<int>(std::min(fraction, 1.0) * kBarRange);
        m_bar = std::max(m_bar, std::min(bar, kBarRange - 1));
    }
    if (!m_finishing) {
        Estimate(done, total, seconds);
    }
}

void ProgressModel::Estimate(std::uint64_t done, std::uint64_t total, double seconds) {
    if (!m_started) {
        m_started = true;
        m_lastSeconds = seconds;
        m_lastDone = done;
        return;
    }
    const double interval = seconds - m_lastSeconds;
    if (interval < kMinimumSampleSeconds || done < m_lastDone) {
        return;
    }
    const double rate = static_cast<double>(done - m_lastDone) / interval;
    if (m_measuredFor == 0) {
        m_rate = rate;
    } else {
        m_rate += (1 - std::exp(-interval / kRateSmoothingSeconds)) * (rate - m_rate);
    }
    m_measuredFor += interval;
    m_lastSeconds = seconds;
    m_lastDone = done;

    if (m_measuredFor < kRateKnownAfterSeconds || m_rate <= 0 ||
        (m_textSetAt >= 0 && seconds - m_textSetAt < kTextIntervalSeconds)) {
        return;
    }
    const double left = static_cast<double>(total > done ? total - done : 0) / m_rate;
    const long long wholeSeconds = std::max(1LL, static_cast<long long>(std::ceil(left)));
    m_remaining = wholeSeconds >= 60
                      ? WithNumber(m_texts.remainingMinutes, (wholeSeconds + 59) / 60)
                      : WithNumber(m_texts.remainingSeconds, wholeSeconds);
    m_textSetAt = seconds;
}

std::string ProgressModel::ItemText() const {
    if (m_item < 0 || static_cast<std::size_t>(m_item) >= m_texts.items.size()) {
        return {};
    }
    return OneLineName(MessageTextFromPath(m_texts.items[static_cast<std::size_t>(m_item)]));
}

} // namespace fw
