#include "catalogue/FileChars.h"

#include <system_error>

#include "core/RunTimeError.h"

FileChars::FileChars(const std::filesystem::path& path) {
    const std::string name = path.string();
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw RunTimeError(ErrorKind::FileNotFound, name + " はファイルではなくフォルダです。");
    File = std::fopen(name.c_str(), "rb");
    if (File == nullptr) throw RunTimeError(ErrorKind::FileNotFound, name + " を開けません。");
}

FileChars::~FileChars() { std::fclose(File); }

bool FileChars::Fill() {
    Next = 0;
    End = std::fread(Buffer, 1, sizeof Buffer, File);
    return End > 0;
}

std::string ReadWholeFile(const std::filesystem::path& path) {
    std::FILE* file = std::fopen(path.string().c_str(), "rb");
    if (file == nullptr) return {};
    std::string bytes;
    char chunk[16384];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
    if (std::ferror(file) != 0) bytes.clear();
    std::fclose(file);
    return bytes;
}
