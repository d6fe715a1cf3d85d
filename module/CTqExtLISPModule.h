// The module's LISP provider: makes and destroys engines for the host, and is one link of the
// host's chain of LISP providers.
#pragma once

#include "host/CTqLISP.h"

class CTqExtLISPModule final : public CTqLispProvider {
public:
    bool Initialize() override { return true; }
    void Exit() override {}
    // A new, unstarted engine; null when memory is exhausted.
    CTqLISP* CreateLISP() override;
    // Destroys an engine made by CreateLISP; null is ignored.
    void DestroyLISP(CTqLISP* engine) override;

    // The chain head this provider replaced, restored when the module unloads.
    CTqLispProvider* Previous() const { return m_previous; }
    void SetPrevious(CTqLispProvider* provider) { m_previous = provider; }

private:
    CTqLispProvider* m_previous = nullptr;
};
