#pragma once

#include "platform/Platform.h"
#include "platform/SystemClock.h"
#include "platform/SystemPrinting.h"
#include "platform/SystemPrompter.h"
#include "platform/SystemShell.h"

class SystemPlatform : public Platform {
public:
    Prompter& prompter() override { return prompter_; }
    Clock& clock() override { return clock_; }
    Shell& shell() override { return shell_; }
    Printing& printing() override { return printing_; }

private:
    SystemPrompter prompter_;
    SystemClock clock_;
    SystemShell shell_;
    SystemPrinting printing_;
};
