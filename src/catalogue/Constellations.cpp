#include "catalogue/Constellations.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <istream>
#include <set>
#include <streambuf>
#include <system_error>

#include "catalogue/Decimal.h"
#include "core/RunTimeError.h"
#include "core/Sky.h"

namespace {

// The longest line the generator writes is about 500 bytes (27 vertices); a much
// longer one is damage, and reading no further keeps it from filling memory.
constexpr std::size_t MaxLineLength = 4096;

[[noreturn]] void Reject(const std::string& source, long line, const std::string& reason) {
    throw RunTimeError(ErrorKind::BadCatalogue,
                       source + " の " + std::to_string(line) + " 行目: " + reason);
}

class LineReader {
public:
    LineReader(std::istream& input, const std::string& source) : Input(input), Source(source) {
        if (input.rdbuf() == nullptr) throw RunTimeError(ErrorKind::FileNotFound, source);
    }

    // The next line that is not blank, split at commas; false at the end of the input.
    bool Next(std::vector<std::string>& fields) {
        std::string text;
        for (;;) {
            if (!ReadLine(text)) return false;
            if (text.find_first_not_of(" \t") != std::string::npos) break;
        }
        fields.clear();
        std::size_t start = 0;
        for (;;) {
            const std::size_t comma = text.find(',', start);
            fields.push_back(Trim(text.substr(start, comma - start)));
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
        return true;
    }

    long Line = 0;  // Of the fields last returned, counted from 1.

private:
    bool ReadLine(std::string& text) {
        std::streambuf& buffer = *Input.rdbuf();
        text.clear();
        if (buffer.sgetc() == std::char_traits<char>::eof()) {
            if (Input.bad())
                throw RunTimeError(ErrorKind::FileNotFound, Source + " を読めません。");
            return false;
        }
        ++Line;
        for (;;) {
            const int c = buffer.sbumpc();
            if (c == std::char_traits<char>::eof() || c == '\n') break;
            if (text.size() == MaxLineLength) Reject(Source, Line, "行が長すぎます。");
            text.push_back(static_cast<char>(c));
        }
        if (!text.empty() && text.back() == '\r') text.pop_back();
        return true;
    }

    static std::string Trim(const std::string& text) {
        const std::size_t first = text.find_first_not_of(" \t");
        if (first == std::string::npos) return {};
        return text.substr(first, text.find_last_not_of(" \t") - first + 1);
    }

    std::istream& Input;
    const std::string& Source;
};

// A decimal number with an optional sign and a period as the decimal point, in
// [low, high]; what names it in a message is Meaning.
double ParseNumber(const std::string& text, double low, double high, const char* meaning,
                   const std::string& source, long line) {
    if (text.empty()) Reject(source, line, std::string(meaning) + "が空です。");
    const DecimalField number = ReadDecimal(text);
    if (!number.Plain || number.Error != std::errc() || !std::isfinite(number.Magnitude)) {
        Reject(source, line, std::string(meaning) + "「" + text + "」は数値ではありません。");
    }
    const double value = number.Negative ? -number.Magnitude : number.Magnitude;
    if (!(value >= low && value <= high)) {
        Reject(source, line, std::string(meaning) + " " + text + " は範囲外です。");
    }
    return value;
}

// Fields from First on, taken two at a time as right ascension and declination.
std::vector<SkyPoint> ParsePoints(const std::vector<std::string>& fields, std::size_t first,
                                  const std::string& source, long line) {
    std::vector<SkyPoint> points;
    for (std::size_t k = first; k + 1 < fields.size(); k += 2) {
        points.push_back({ParseNumber(fields[k], 0, 360, "赤経", source, line),
                          ParseNumber(fields[k + 1], -90, 90, "赤緯", source, line)});
    }
    return points;
}

// A constellation is complete when it has a place for its name and a line.
void CheckComplete(const std::vector<Constellation>& read, const std::string& source, long line) {
    if (read.empty()) return;
    const Constellation& last = read.back();
    if (last.Labels.empty() || last.Lines.empty()) {
        Reject(source, line,
               last.Abbreviation + " に" + (last.Labels.empty() ? "名前の位置" : "星座線") +
                   "がありません。");
    }
}

}  // namespace

void ReadConstellationData(ConstellationCatalogue& Figures, std::istream& input,
                           const std::string& sourceName) {
    LineReader reader(input, sourceName);
    std::vector<Constellation> read;
    std::set<std::string> abbreviations;
    std::vector<std::string> fields;
    while (reader.Next(fields)) {
        const long line = reader.Line;
        const std::string& kind = fields[0];
        if (kind == "constellation") {
            if (fields.size() != 3 || fields[1].empty() || fields[2].empty())
                Reject(sourceName, line, "星座の行は constellation,略符,名前 の形です。");
            CheckComplete(read, sourceName, line);
            if (static_cast<int>(read.size()) == ConstellationCount)
                Reject(sourceName, line,
                       "星座が " + std::to_string(ConstellationCount) + " より多くあります。");
            if (!abbreviations.insert(fields[1]).second)
                Reject(sourceName, line, "略符 " + fields[1] + " が二度あります。");
            read.push_back({fields[1], fields[2], {}, {}, {}});
        } else if (kind == "label" || kind == "line") {
            if (read.empty())
                Reject(sourceName, line, "星座の行より前に " + kind + " があります。");
            const bool label = kind == "label";
            if (label ? fields.size() != 3 : (fields.size() < 5 || fields.size() % 2 == 0))
                Reject(sourceName, line,
                       label ? "名前の位置は label,赤経,赤緯 の形です。"
                             : "星座線は line のあとに赤経,赤緯 の組が二つ以上要ります。");
            std::vector<SkyPoint> points = ParsePoints(fields, 1, sourceName, line);
            if (label)
                read.back().Labels.push_back(points[0]);
            else
                read.back().Lines.push_back(std::move(points));
        } else if (kind == "bound") {
            if (read.empty()) Reject(sourceName, line, "星座の行より前に bound があります。");
            if (fields.size() < 7 || fields.size() % 2 == 0)
                Reject(sourceName, line,
                       "星座の境界は bound のあとに赤経,赤緯 の組が三つ以上要ります。");
            read.back().Bounds.push_back(ParsePoints(fields, 1, sourceName, line));
        } else {
            Reject(sourceName, line, "「" + kind + "」は知らない項目です。");
        }
    }
    CheckComplete(read, sourceName, reader.Line);
    if (static_cast<int>(read.size()) < ConstellationCount) {
        throw RunTimeError(ErrorKind::InputPastEnd,
                           sourceName + ": 星座は " + std::to_string(ConstellationCount) +
                               " 個必要ですが、" + std::to_string(read.size()) +
                               " 個しかありません。");
    }
    Figures.Constellations = std::move(read);
}

void ReadStarNames(ConstellationCatalogue& Figures, std::istream& input,
                   const std::string& sourceName) {
    LineReader reader(input, sourceName);
    std::vector<StarName> read;
    std::vector<std::string> fields;
    while (reader.Next(fields)) {
        const long line = reader.Line;
        if (fields.size() != 2 || fields[1].empty())
            Reject(sourceName, line, "星の名前の行は 番号,名前 の形です。");
        const std::string& number = fields[0];
        int index = -1;
        const auto [end, error] =
            std::from_chars(number.data(), number.data() + number.size(), index);
        if (number.empty() || error != std::errc() || end != number.data() + number.size() ||
            index < 0 || index >= StarCount) {
            Reject(sourceName, line,
                   "星の番号「" + number + "」は 0 から " + std::to_string(StarCount - 1) +
                       " までの整数ではありません。");
        }
        read.push_back({static_cast<std::int16_t>(index), fields[1]});
    }
    if (read.empty())
        throw RunTimeError(ErrorKind::InputPastEnd, sourceName + ": 星の名前がありません。");
    Figures.StarNames = std::move(read);
}

namespace {
template <typename Reader>
void ReadFile(ConstellationCatalogue& Figures, const std::filesystem::path& path, Reader read) {
    const std::string name = path.string();
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw RunTimeError(ErrorKind::FileNotFound, name + " はファイルではなくフォルダです。");
    std::ifstream input(path, std::ios::binary);
    if (!input) throw RunTimeError(ErrorKind::FileNotFound, name + " を開けません。");
    try {
        read(Figures, input, name);
    } catch (const std::ios_base::failure&) {
        throw RunTimeError(ErrorKind::FileNotFound, name + " を読めません。");
    }
    if (input.bad()) throw RunTimeError(ErrorKind::FileNotFound, name + " を読めません。");
}
}  // namespace

void LoadConstellationsFrom(ConstellationCatalogue& Figures,
                            const std::filesystem::path& constellationData,
                            const std::filesystem::path& starNames) {
    ConstellationCatalogue loaded;
    ReadFile(loaded, constellationData, ReadConstellationData);
    ReadFile(loaded, starNames, ReadStarNames);
    Figures = std::move(loaded);
}

void LoadConstellations(ConstellationCatalogue& Figures) {
    LoadConstellationsFrom(Figures, ConstellationDataFileName, StarNamesFileName);
}
