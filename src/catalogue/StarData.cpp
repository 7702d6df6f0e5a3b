#include "catalogue/StarData.h"

#include <array>
#include <charconv>
#include <cmath>
#include <istream>
#include <memory>
#include <streambuf>
#include <system_error>

#include "catalogue/Constellations.h"
#include "catalogue/Decimal.h"
#include "catalogue/FileChars.h"
#include "core/RunTimeError.h"
#include "core/Sky.h"

namespace {

// No decimal number that StarData can hold is this long; a longer field is
// damage, and reading no further keeps a huge line from filling memory.
constexpr std::size_t MaxFieldLength = 64;

const char* const FieldNames[3] = {"赤経", "赤緯", "等級"};

// The fields of a stream buffer or of a FileChars (Chars: their sgetc and sbumpc).
template <typename Chars>
class FieldReader {
public:
    explicit FieldReader(Chars& buffer) : Buffer(buffer) {}

    // Reads the next field into Text; false at the end of the input.
    bool Next(std::string& text, long& line) {
        text.clear();
        SkipBlankLines();
        if (AtEnd()) return false;
        line = Line;
        bool tooLong = false;
        // Gathered here and handed over once: a string grown by single characters costs a
        // library call for each in some builds (the web edition's).
        char field[MaxFieldLength];
        std::size_t length = 0;
        for (;;) {
            const int c = Buffer.sbumpc();
            if (c == std::char_traits<char>::eof()) break;
            if (c == ',') break;
            if (c == '\n') {
                ++Line;
                break;
            }
            if (length == MaxFieldLength) {
                tooLong = true;  // Rejected as it stands: the rest is never read.
                break;
            }
            field[length++] = static_cast<char>(c);
        }
        if (tooLong) {
            text.assign(MaxFieldLength + 1, '?');
        } else {
            text.assign(field, length);
        }
        return true;
    }

private:
    bool AtEnd() { return Buffer.sgetc() == std::char_traits<char>::eof(); }

    // Lines holding only spaces and tabs (and a carriage return) carry no field.
    void SkipBlankLines() {
        for (;;) {
            int c = Buffer.sgetc();
            while (c == ' ' || c == '\t' || c == '\r') {
                Buffer.sbumpc();
                c = Buffer.sgetc();
            }
            if (c == '\n') {
                Buffer.sbumpc();
                ++Line;
                continue;
            }
            // Not a blank line: the blanks taken are leading blanks of its first field.
            return;
        }
    }

    Chars& Buffer;
    long Line = 1;
};

std::string Trim(const std::string& text) {
    std::size_t first = 0, last = text.size();
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (first < last && blank(text[first])) ++first;
    while (last > first && blank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

[[noreturn]] void Reject(const std::string& source, long line, int record, int field,
                         const std::string& reason) {
    throw RunTimeError(ErrorKind::BadCatalogue, source + " の " + std::to_string(line) + " 行目（" +
                                                    std::to_string(record + 1) + " 番目の星の" +
                                                    FieldNames[field] + "）: " + reason);
}

// A decimal number with an optional sign and a period as the decimal point.
double ParseField(const std::string& raw, const std::string& source, long line, int record,
                  int field) {
    const std::string text = Trim(raw);
    if (text.empty()) Reject(source, line, record, field, "値が空です。");
    if (text.size() > MaxFieldLength) Reject(source, line, record, field, "値が長すぎます。");
    const DecimalField number = ReadDecimal(text);
    if (!number.Plain) {
        Reject(source, line, record, field, "「" + text + "」は数値ではありません。");
    }
    if (number.Error == std::errc::result_out_of_range || !std::isfinite(number.Magnitude)) {
        Reject(source, line, record, field, "「" + text + "」は有限の数値ではありません。");
    }
    return number.Negative ? -number.Magnitude : number.Magnitude;
}

}  // namespace

namespace {
// The catalogue from chars (a stream buffer or a FileChars); failed() tells a failing read
// from the end of the input.
template <typename Chars, typename Failed>
std::unique_ptr<StarColumns> ReadStarColumns(Chars& chars, Failed failed,
                                             const std::string& sourceName) {
    FieldReader<Chars> reader(chars);
    auto loaded = std::make_unique<StarColumns>();
    std::array<double, StarCount>* const columns[3] = {&loaded->RA, &loaded->Dec, &loaded->Mag};
    std::string text;
    long line = 1;
    for (int i = 0; i < StarCount; ++i) {
        for (int field = 0; field < 3; ++field) {
            if (!reader.Next(text, line)) {
                if (failed())
                    throw RunTimeError(ErrorKind::FileNotFound, sourceName + " を読めません。");
                throw RunTimeError(ErrorKind::InputPastEnd,
                                   sourceName + ": 星は " + std::to_string(StarCount) +
                                       " 個必要ですが、" + std::to_string(i) +
                                       " 個しかありません。");
            }
            (*columns[field])[static_cast<std::size_t>(i)] =
                ParseField(text, sourceName, line, i, field);
        }
    }
    return loaded;
}
}  // namespace

void TakeStarData(Sky& sky, const StarColumns& stars) {
    sky.StarRA = stars.RA;
    sky.StarDec = stars.Dec;
    sky.StarMag = stars.Mag;
    DerivePolarValues(sky);
}

void LoadStarDataFromStream(Sky& sky, std::istream& input, const std::string& sourceName) {
    std::streambuf* buffer = input.rdbuf();
    if (buffer == nullptr) throw RunTimeError(ErrorKind::FileNotFound, sourceName);
    TakeStarData(sky, *ReadStarColumns(
                          *buffer, [&input] { return input.bad(); }, sourceName));
}

std::unique_ptr<StarColumns> ReadStarDataFrom(const std::filesystem::path& path) {
    FileChars chars(path);
    return ReadStarColumns(
        chars, [&chars] { return chars.Failed(); }, path.string());
}

void LoadStarDataFrom(Sky& sky, const std::filesystem::path& path) {
    TakeStarData(sky, *ReadStarDataFrom(path));
}

void LoadStarData(Sky& sky) { LoadStarDataFrom(sky, StarDataFileName); }

namespace {
// The constellations and star names sit next to StarData (the package installs all three
// in one folder). Absent files leave the catalogue empty, and the constellation overlays
// draw nothing; a damaged one stops the start-up, as a damaged StarData does.
ConstellationCatalogue ReadFiguresBeside(const std::filesystem::path& starData) {
    const std::filesystem::path folder = starData.parent_path();
    const std::filesystem::path lines = folder / ConstellationDataFileName;
    const std::filesystem::path names = folder / StarNamesFileName;
    ConstellationCatalogue figures;
    std::error_code error;
    if (!std::filesystem::exists(lines, error) && !std::filesystem::exists(names, error)) {
        return figures;
    }
    LoadConstellationsFrom(figures, lines, names);
    return figures;
}
}  // namespace

CatalogueFiles ReadCatalogueFiles(const std::filesystem::path& starData) {
    CatalogueFiles files;
    files.Stars = ReadStarDataFrom(starData);
    files.Figures = ReadFiguresBeside(starData);
    return files;
}

void TakeCatalogue(Sky& sky, CatalogueFiles&& files) {
    if (!files.Stars) throw RunTimeError(ErrorKind::FileNotFound, StarDataFileName);
    TakeStarData(sky, *files.Stars);
    sky.Figures = std::move(files.Figures);
}
