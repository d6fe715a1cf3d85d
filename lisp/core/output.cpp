// Console output: every text the engine shows passes through Output, which picks the channel
// of the output mode, buffers short pieces in the console line, polls for a user break and
// hands HTML-encoded text to the host's command line.
#include "lisp/core/engine.h"

namespace {
constexpr std::size_t kPieceUnits = 255;
constexpr std::size_t kHoldThreshold = 254;
}  // namespace

LispStatus CTqLISPImpl::PassOn(std::u16string_view piece)
{
    m_breakCountdown = kBreakPollInterval;
    LISP_TRY(PollUserBreak());
    if (piece.empty() || !m_services)
        return LispStatus::Ok;
    m_services->PrintHtml(CTqString(piece).EncodeHTML());
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::FlushConsole()
{
    if (m_consoleLine.empty())
        return LispStatus::Ok;
    const std::u16string line = std::move(m_consoleLine);
    m_consoleLine.clear();
    return PassOn(line);
}

LispStatus CTqLISPImpl::Output(std::u16string_view text, std::u16string_view diagnostic, int flags)
{
    const int channel = m_outputMode & OutputMode::ChannelMask;
    if (channel == 0 || m_outputSuppressed) {
        if (!m_consoleAllocated)
            return PassOn(text);
        const bool hold = (flags & (16 | 32)) == 16;
        if (text.empty())
            return hold ? LispStatus::Ok : FlushConsole();
        while (!text.empty()) {
            const std::size_t take = std::min(text.size(), kPieceUnits);
            m_consoleLine.append(text.substr(0, take));
            text.remove_prefix(take);
            if (!hold || m_consoleLine.size() >= kHoldThreshold)
                LISP_TRY(FlushConsole());
        }
        return LispStatus::Ok;
    }
    LISP_TRY(FlushConsole());
    if (channel == 1) {
        if (!diagnostic.empty()) {
            if (m_outputState != 2)
                LISP_TRY(PassOn(u">>>"));
            LISP_TRY(PassOn(diagnostic));
            m_outputState = 2;
        }
        if (!text.empty()) {
            if (m_outputState != 1)
                LISP_TRY(PassOn(u"<<<"));
            LISP_TRY(PassOn(text));
            m_outputState = 1;
        }
        return LispStatus::Ok;
    }
    while (!text.empty()) {
        const std::size_t take = std::min(text.size(), kHoldThreshold);
        LISP_TRY(PassOn(text.substr(0, take)));
        text.remove_prefix(take);
    }
    return LispStatus::Ok;
}
