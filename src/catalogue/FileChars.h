#pragma once
// The catalogue's files read through C's input, a character at a time with the two
// calls of a stream buffer (sgetc, sbumpc), or whole: the C++ file streams bring
// their locales into the web edition's module, a third of its size.

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>

class FileChars {
public:
    // Opens path for reading. A folder, or a file that does not open, is a RunTimeError
    // (FileNotFound) naming it.
    explicit FileChars(const std::filesystem::path& path);
    ~FileChars();
    FileChars(const FileChars&) = delete;
    FileChars& operator=(const FileChars&) = delete;

    // The next character without taking it, and taking it: EOF at the end of the file
    // or at a failed read.
    int sgetc() { return Next < End || Fill() ? static_cast<unsigned char>(Buffer[Next]) : EOF; }
    int sbumpc() { return Next < End || Fill() ? static_cast<unsigned char>(Buffer[Next++]) : EOF; }
    // Whether a read failed (an I/O error), as against the end of the file.
    bool Failed() const { return std::ferror(File) != 0; }

private:
    bool Fill();
    std::FILE* File = nullptr;
    char Buffer[16384];
    std::size_t Next = 0, End = 0;
};

// ReadWholeFile: the bytes of the file at path; "" for a file that does not open or
// cannot be read to its end.
std::string ReadWholeFile(const std::filesystem::path& path);
