#include "fw/ui/progress_ticker.h"

#include <utility>

namespace fw {

ProgressTicker::ProgressTicker(const ProgressWindowTexts& texts, const SharedWorkProgress& progress,
                               Open open, Show show, Now now)
    : m_model(texts), m_progress(progress), m_open(std::move(open)), m_show(std::move(show)),
      m_now(std::move(now)), m_start(m_now()), m_lastTick(m_start) {}

void ProgressTicker::Tick() {
    m_lastTick = m_now();
    const double seconds = std::chrono::duration<double>(m_lastTick - m_start).count();
    m_model.Update(m_progress, seconds);
    if (!m_opened && seconds >= ProgressModel::kShowAfterSeconds) {
        m_open();
        m_opened = true;
    }
    if (m_opened)
        m_show(m_model);
}

void ProgressTicker::TickIfDue() {
    if (m_now() - m_lastTick >= kInterval)
        Tick();
}

} // namespace fw
