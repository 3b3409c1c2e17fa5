#include "OrloDockLayoutFile.h"

#include <filesystem>
#include <fstream>

#include "OrloDockLayoutCodec.h"
#include <orlodock/docking/OrloDockSite.h>

namespace {

namespace fs = std::filesystem;

[[noreturn]] void FileError(const char* what, const tk::String& fileName, const tk::String& detail = {}) {
    tk::String message = tk::Latin1(what) + tk::Latin1(" ") + fileName;
    if (!detail.isEmpty())
        message += tk::Latin1(": ") + detail;
    throw EOrloDockLayoutFileError(message);
}

// Appends up to `count` bytes from the file; false when the file ended first.
bool ReadMore(std::ifstream& file, tk::Bytes& data, qsizetype count, const tk::String& fileName) {
    const qsizetype at = data.size();
    data.resize(at + count);
    file.read(data.data() + at, count);
    data.resize(at + file.gcount());
    if (file.bad())
        FileError("Cannot read the layout file", fileName);
    return file.gcount() == count;
}

} // namespace

tk::Bytes ReadLayoutFile(const tk::String& fileName) {
    const fs::path path(fileName.toStdU16String());
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status))
        FileError("Cannot open the layout file", fileName);
    if (fs::is_directory(status))
        FileError("Cannot read the layout file", fileName, tk::Latin1("it is a directory"));
    if (fs::is_regular_file(status)) {
        const std::uintmax_t size = fs::file_size(path, error);
        if (!error && size > std::uintmax_t(kLayoutHeaderSize + kMaxLayoutPayload))
            FileError("Cannot load the layout file", fileName,
                      tk::String::fromLatin1("%1 bytes are larger than a layout can be (%2)")
                          .arg(qulonglong(size))
                          .arg(kLayoutHeaderSize + kMaxLayoutPayload));
    }
    try {
        std::ifstream file(path, std::ios::binary);
        if (!file)
            FileError("Cannot open the layout file", fileName);
        tk::Bytes data;
        ReadMore(file, data, kLayoutHeaderSize, fileName);
        // A device or pipe has no size to check: the header says how much to read.
        const std::uint32_t length = LayoutPayloadLength(data);
        if (ReadMore(file, data, length, fileName))
            ReadMore(file, data, 1, fileName);
        return data;
    } catch (const tk::Exception&) {
        throw;
    } catch (const std::exception& e) {
        FileError("Cannot read the layout file", fileName, tk::String::fromLocal8Bit(e.what()));
    }
}

void WriteLayoutFile(const tk::String& fileName, const tk::Bytes& data) {
    try {
        std::ofstream file(fs::path(fileName.toStdU16String()), std::ios::binary | std::ios::trunc);
        if (file)
            file.write(data.constData(), data.size());
        file.close();
        if (!file)
            FileError("Cannot write the layout file", fileName);
    } catch (const tk::Exception&) {
        throw;
    } catch (const std::exception& e) {
        FileError("Cannot write the layout file", fileName, tk::String::fromLocal8Bit(e.what()));
    }
}
