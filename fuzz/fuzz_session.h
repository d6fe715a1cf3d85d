// One workbench session for a whole fuzzing run: the real module, one document and its engine,
// a console that discards output, a watchdog that breaks programs running too long, and after
// every input the same node accounting the transcript tests check.
#pragma once

#include <QString>

class CTqLISPImpl;

namespace fuzz {

// Opens the session on first use (aborts when it cannot) and returns its engine.
CTqLISPImpl& Engine();

// Evaluates one command line text in the engine. Aborts when a node is left unreachable or the
// heap is inconsistent afterwards, so that libFuzzer reports it like a crash.
void Evaluate(const QString& text);

}  // namespace fuzz
