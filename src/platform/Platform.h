#pragma once

class Prompter;
class Clock;
class Shell;
class Printing;

// The outside world as the windows see it; made once in main, a fake in tests.
class Platform {
public:
    virtual ~Platform() = default;
    virtual Prompter& prompter() = 0;
    virtual Clock& clock() = 0;
    virtual Shell& shell() = 0;
    virtual Printing& printing() = 0;
};
