#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace fw {

// What long work tells whoever shows its progress. Called from the thread
// doing the work.
class IWorkProgress {
public:
    virtual ~IWorkProgress() = default;
    // The work's size in bytes, as far as it is known when it starts.
    virtual void SetTotal(std::uint64_t bytes) = 0;
    // The item being worked on: an index into ProgressWindowTexts::items.
    virtual void SetItem(int index) = 0;
    // Bytes done since the last call.
    virtual void Advance(std::uint64_t bytes) = 0;
    // All that is left is making the work last (writing it through to
    // storage), which cannot be stopped: the window says so in place of the
    // time left.
    virtual void SetFinishing() = 0;
    // True once the user asked to stop.
    virtual bool CancelRequested() const = 0;
};

// What a progress window shows besides the numbers, in the system's code
// page.
struct ProgressWindowTexts {
    std::string heading;            // the line above the item's name
    std::string remainingMinutes;   // %1 stands for the whole minutes left
    std::string remainingSeconds;   // %1 stands for the whole seconds left
    std::string cancel;             // the button that stops the work
    std::vector<std::string> items; // the names SetItem refers to
    std::string finishing;          // shown in place of the time left once finishing
};

// IWorkProgress over atomics: written by the working thread, read by the UI
// thread, which asks for the stop.
class SharedWorkProgress final : public IWorkProgress {
public:
    void SetTotal(std::uint64_t bytes) override { m_total.store(bytes, std::memory_order_relaxed); }
    void SetItem(int index) override { m_item.store(index, std::memory_order_relaxed); }
    void Advance(std::uint64_t bytes) override {
        m_done.fetch_add(bytes, std::memory_order_relaxed);
    }
    void SetFinishing() override { m_finishing.store(true, std::memory_order_relaxed); }
    bool CancelRequested() const override { return m_cancel.load(std::memory_order_relaxed); }

    void RequestCancel() { m_cancel.store(true, std::memory_order_relaxed); }
    std::uint64_t Total() const { return m_total.load(std::memory_order_relaxed); }
    std::uint64_t Done() const { return m_done.load(std::memory_order_relaxed); }
    int Item() const { return m_item.load(std::memory_order_relaxed); }
    bool Finishing() const { return m_finishing.load(std::memory_order_relaxed); }

private:
    std::atomic<std::uint64_t> m_total{0};
    std::atomic<std::uint64_t> m_done{0};
    std::atomic<int> m_item{-1};
    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_finishing{false};
};

} // namespace fw
