// The StarData loader on arbitrary bytes. A load either fills the whole
// catalogue with finite values and their polar values, or throws RunTimeError
// and leaves the catalogue exactly as it was. Anything else (another
// exception, a crash, a sanitizer report) is a fault.
//
// Complete catalogues are rare among random bytes, so a short input is also
// read a second time repeated end to end: "1,2,3\n" then becomes a full
// catalogue, and the fuzzer reaches the end of a successful load.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <memory>
#include <sstream>
#include <streambuf>
#include <string>

#include "catalogue/StarData.h"
#include "core/RunTimeError.h"
#include "core/Sky.h"

namespace {

// Size of an input that is also read repeated.
constexpr std::size_t MaxRepeatedInput = 48;
// Enough repeats for a full catalogue of one-byte fields and then some.
constexpr std::size_t Repeats = 3 * StarCount + 16;

// Reads the same bytes Repeats times without copying them.
class RepeatBuffer : public std::streambuf {
public:
    RepeatBuffer(const char* data, std::size_t size, std::size_t repeats)
        : Data(const_cast<char*>(data)), Size(size), Left(repeats) {}

protected:
    int_type underflow() override {
        if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
        if (Left == 0 || Size == 0) return traits_type::eof();
        --Left;
        setg(Data, Data, Data + Size);
        return traits_type::to_int_type(*gptr());
    }

private:
    char* Data;
    std::size_t Size, Left;
};

[[noreturn]] void Fault(const char* what) {
    std::fprintf(stderr, "fault: %s\n", what);
    std::abort();
}

// Marks the catalogue so that any change by a failed load shows.
void Mark(Sky& sky) {
    for (std::size_t i = 0; i < static_cast<std::size_t>(StarCount); ++i) {
        sky.StarRA[i] = -1000.0 - static_cast<double>(i);
        sky.StarDec[i] = 1000.0;
        sky.StarMag[i] = 99.0;
        sky.PolarDistRad[i] = 7.0;
    }
}

bool Marked(const Sky& sky) {
    for (std::size_t i = 0; i < static_cast<std::size_t>(StarCount); ++i) {
        if (sky.StarRA[i] != -1000.0 - static_cast<double>(i) || sky.StarDec[i] != 1000.0 ||
            sky.StarMag[i] != 99.0 || sky.PolarDistRad[i] != 7.0) {
            return false;
        }
    }
    return true;
}

void Check(Sky& sky, std::istream& input) {
    Mark(sky);
    try {
        LoadStarDataFromStream(sky, input, "StarData");
    } catch (const RunTimeError& error) {
        if (!Marked(sky)) Fault("a failed load changed the catalogue");
        if (std::string(error.what()).empty()) Fault("an error without a message");
        return;
    }
    for (std::size_t i = 0; i < static_cast<std::size_t>(StarCount); ++i) {
        if (!std::isfinite(sky.StarRA[i]) || !std::isfinite(sky.StarDec[i]) ||
            !std::isfinite(sky.StarMag[i])) {
            Fault("a loaded value that is not finite");
        }
        if (sky.PolarDistRad[i] != ((90 - sky.StarDec[i]) * ChartPi) / 180) {
            Fault("the polar values do not match the declinations");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::unique_ptr<Sky> sky = std::make_unique<Sky>();
    const char* bytes = reinterpret_cast<const char*>(data);
    {
        std::istringstream input(std::string(bytes, size), std::ios::binary);
        Check(*sky, input);
    }
    if (size > 0 && size <= MaxRepeatedInput) {
        RepeatBuffer buffer(bytes, size, Repeats);
        std::istream input(&buffer);
        Check(*sky, input);
    }
    return 0;
}
