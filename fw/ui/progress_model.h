#pragma once

#include <cstdint>
#include <string>

#include "fw/ui/work_progress.h"

namespace fw {

// What a progress window shows, worked out on the UI thread from the work's
// shared progress: the bar's position, the item's name and the time left.
class ProgressModel {
public:
    // The bar's range: 0 to kBarRange.
    static constexpr int kBarRange = 10000;
    // How long the work runs before its window shows.
    static constexpr double kShowAfterSeconds = 1.0;

    explicit ProgressModel(const ProgressWindowTexts& texts) : m_texts(texts) {}

    // Takes the progress's state, seconds after the work began. Call it
    // regularly from the start (every 100 ms or so).
    void Update(const SharedWorkProgress& progress, double seconds);

    // Moves only forward, and reaches kBarRange only when the work is done,
    // even where the work grows beyond its announced total.
    int BarValue() const { return m_bar; }
    // The name of the item being worked on, in UTF-8, as one line that
    // cannot reorder or break anything around it (empty before the first).
    std::string ItemText() const;
    // "about N minutes / seconds left" from the measured rate; empty while
    // the rate is not known yet; the finishing text once the work is
    // finishing.
    const std::string& RemainingText() const { return m_remaining; }
    // The work is finishing and can no longer be stopped.
    bool Finishing() const { return m_finishing; }
    // The bar's position as a fraction (for the taskbar).
    double Fraction() const { return static_cast<double>(m_bar) / kBarRange; }

private:
    void Estimate(std::uint64_t done, std::uint64_t total, double seconds);

    const ProgressWindowTexts& m_texts;
    int m_bar = 0;
    int m_item = -1;
    bool m_finishing = false;
    std::string m_remaining;
    // Rate measurement: the last sample and a smoothed rate in bytes/s.
    bool m_started = false;
    double m_lastSeconds = 0;
    std::uint64_t m_lastDone = 0;
    double m_rate = 0;
    double m_measuredFor = 0;
    double m_textSetAt = -1;
};

} // namespace fw
