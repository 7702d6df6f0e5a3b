// The ConstellationData and StarNames readers on arbitrary bytes. Each input is
// read as both files. A read either replaces its part of the catalogue with
// sound data (88 constellations with distinct abbreviations, names, labels and
// lines of two or more vertices, all coordinates in range; star names on
// StarData lines 0..3145), or throws RunTimeError and leaves the catalogue
// exactly as it was. Anything else (another exception, a crash, a sanitizer
// report) is a fault.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>

#include "catalogue/Constellations.h"
#include "core/RunTimeError.h"
#include "core/Sky.h"

namespace {

[[noreturn]] void Fault(const char* what) {
    std::fprintf(stderr, "fault: %s\n", what);
    std::abort();
}

// A catalogue no reader makes (one constellation, a star name off the catalogue's end
// is never accepted), so that any change by a failed read shows.
ConstellationCatalogue Marked() {
    ConstellationCatalogue marked;
    marked.Constellations.push_back(
        {"Mrk", "印", {{1, 2}}, {{{3, 4}, {5, 6}}}, {{{7, 8}, {9, 10}, {11, 12}}}});
    marked.StarNames.push_back({-1, "印"});
    return marked;
}

bool SameAsMarked(const ConstellationCatalogue& figures) {
    const ConstellationCatalogue marked = Marked();
    if (figures.Constellations.size() != 1 || figures.StarNames.size() != 1) return false;
    const Constellation &c = figures.Constellations[0], &m = marked.Constellations[0];
    return c.Abbreviation == m.Abbreviation && c.Name == m.Name && c.Labels.size() == 1 &&
           c.Lines.size() == 1 && c.Lines[0].size() == 2 && c.Bounds.size() == 1 &&
           c.Bounds[0].size() == 3 && figures.StarNames[0].Index == -1 &&
           figures.StarNames[0].Name == marked.StarNames[0].Name;
}

void CheckPoint(const SkyPoint& p) {
    if (!std::isfinite(p.RA) || !std::isfinite(p.Dec) || p.RA < 0 || p.RA > 360 || p.Dec < -90 ||
        p.Dec > 90)
        Fault("a coordinate out of range");
}

void CheckConstellations(const ConstellationCatalogue& figures) {
    if (static_cast<int>(figures.Constellations.size()) != ConstellationCount)
        Fault("a read without all 88 constellations");
    std::set<std::string> abbreviations;
    for (const Constellation& c : figures.Constellations) {
        if (!abbreviations.insert(c.Abbreviation).second) Fault("an abbreviation twice");
        if (c.Abbreviation.empty() || c.Name.empty()) Fault("a constellation without a name");
        if (c.Labels.empty() || c.Lines.empty()) Fault("a constellation without label or line");
        for (const SkyPoint& p : c.Labels) CheckPoint(p);
        for (const auto& line : c.Lines) {
            if (line.size() < 2) Fault("a line of fewer than two vertices");
            for (const SkyPoint& p : line) CheckPoint(p);
        }
        for (const auto& ring : c.Bounds) {
            if (ring.size() < 3) Fault("a boundary of fewer than three vertices");
            for (const SkyPoint& p : ring) CheckPoint(p);
        }
    }
    if (figures.StarNames.size() != 1 || figures.StarNames[0].Index != -1)
        Fault("the constellation reader changed the star names");
}

void CheckStarNames(const ConstellationCatalogue& figures) {
    if (figures.StarNames.empty()) Fault("a read without star names");
    for (const StarName& star : figures.StarNames) {
        if (star.Index < 0 || star.Index >= StarCount) Fault("a star name off the catalogue");
        if (star.Name.empty()) Fault("an empty star name");
    }
    if (figures.Constellations.size() != 1) Fault("the star-name reader changed the figures");
}

template <typename Reader, typename Checker>
void Check(const std::string& bytes, Reader read, Checker check, const char* source) {
    ConstellationCatalogue figures = Marked();
    std::istringstream input(bytes, std::ios::binary);
    try {
        read(figures, input, source);
    } catch (const RunTimeError& error) {
        if (!SameAsMarked(figures)) Fault("a failed read changed the catalogue");
        if (std::string(error.what()).empty()) Fault("an error without a message");
        return;
    }
    check(figures);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Check(bytes, ReadConstellationData, CheckConstellations, "ConstellationData");
    Check(bytes, ReadStarNames, CheckStarNames, "StarNames");
    return 0;
}
