#include "FontSetUpAhead.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

FontSetUpAhead::FontSetUpAhead() {
    // Without a thread the toolkit reads the configuration itself, as it always could.
    try {
        Reader = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
    }
}

void FontSetUpAhead::Wait() {
    if (Reader.joinable()) Reader.join();
}
