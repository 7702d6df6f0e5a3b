#pragma once

#include <thread>

// Reads the system's font configuration on a thread of its own while the toolkit
// connects to the display. The configuration (an XML parse of every file under
// /etc/fonts and the font caches) is the first thing any text needs and takes a few
// milliseconds. It is made once per process: the toolkit's own calls find it ready.
// Wait() before the first text is measured, so that a configuration still being read
// is waited for rather than read a second time.
class FontSetUpAhead {
public:
    FontSetUpAhead();
    ~FontSetUpAhead() { Wait(); }
    FontSetUpAhead(const FontSetUpAhead&) = delete;
    FontSetUpAhead& operator=(const FontSetUpAhead&) = delete;

    void Wait();

private:
    std::thread Reader;
};
