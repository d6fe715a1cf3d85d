// The command line a host talks through: plain text out, lines and keys in, and a break flag a
// signal handler may raise. The workbench puts the terminal behind it, tests a script.
#pragma once

#include <QString>

#include <atomic>

class CTqConsole {
public:
    virtual ~CTqConsole() = default;

    // Shows plain text as it stands; "\n" ends a line.
    virtual void Write(const QString& text) = 0;
    // Shows the prompt and reads one line without its line break. False at the end of the input
    // or when the read was interrupted.
    virtual bool ReadLine(const QString& prompt, QString& line) = 0;
    // Reads one key; false when none can be read.
    virtual bool ReadKey(int& key) = 0;
    // Ends the current output line when something was written on it since the last line break,
    // so that whatever comes next starts on a line of its own.
    virtual void EndLine() = 0;

    // Asks the running program to stop. Safe to call from a signal handler.
    void RequestBreak() noexcept { m_breakRequested.store(true, std::memory_order_relaxed); }
    // True when a break was requested since the last call; the request is used up.
    // A plain load first: the exchange is the costly part and a break is rare.
    bool TakeBreak() noexcept { return m_breakRequested.load(std::memory_order_relaxed) && m_breakRequested.exchange(false, std::memory_order_relaxed); }

private:
    static_assert(std::atomic<bool>::is_always_lock_free, "the break flag is set from a signal handler");
    std::atomic<bool> m_breakRequested{false};
};
