// The plugin manager command "PLUGINS". It lives inside the module object, so reference counting
// never frees it.
#pragma once

#include "host/OdEd.h"

class CTqCommandAppStore final : public CTqCommand {
public:
    void addRef() override {}
    void release() override {}

    CTqString globalName() const override { return CTqString("_PLUGINS"); }
    CTqString localName() const override { return CTqString("PLUGINS"); }
    int helpId() const override { return 3061; }
    // tq::kError for a context without user input/output; otherwise shows the plugin manager
    // and returns tq::kNormal.
    short execute(OdEdCommandContext* context) override;
};
