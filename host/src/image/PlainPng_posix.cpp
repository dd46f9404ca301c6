// Plain PNG files through libpng. libpng reports errors by a long jump, so every libpng call that can fail runs
// inside guarded, which sets the jump target, in a call that holds nothing that needs destroying; C++ errors are
// thrown only outside them.
#include "PlainPng.h"

#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

#include "PixelBuffer.h"
#include "ImageFileChecks.h"
#include "vendrel/host/Cancellation.h"
#include "vendrel/host/RegularFile.h"

namespace vendrel::plainpng {

namespace {

// Rows decoded or encoded between two questions to the cancel probe.
constexpr int32_t rowsBetweenCancelChecks = 64;

// The image library's settings for PNG output, which give the same bytes: zlib level 6 and no row filter.
constexpr int compressionLevel = 6;

// What libpng said when it stopped, kept for the error message.
struct PngError {
    char message[200] = "";
};

extern "C" void jumpOnError(png_structp png, png_const_charp message)
{
    if (auto* error = static_cast<PngError*>(png_get_error_ptr(png))) {
        std::snprintf(error->message, sizeof error->message, "%s", message);
    }
    std::longjmp(png_jmpbuf(png), 1);
}

// Warnings (an ancillary chunk with a bad checksum, for instance) do not stop a read, as they do not in the image
// library.
extern "C" void ignoreWarning(png_structp, png_const_charp) {}

// Reads the file through a buffer of its own.
struct FileSource {
    int fd = -1;
    uint8_t buffer[64 * 1024];
    size_t start = 0, end = 0;
};

extern "C" void readFromFile(png_structp png, png_bytep data, size_t length)
{
    auto* source = static_cast<FileSource*>(png_get_io_ptr(png));
    while (length > 0) {
        if (source->start == source->end) {
            const ssize_t got = ::read(source->fd, source->buffer, sizeof source->buffer);
            if (got <= 0) {
                if (got < 0 && errno == EINTR) {
                    continue;
                }
                png_error(png, "the file ends early or cannot be read");
            }
            source->start = 0;
            source->end = size_t(got);
        }
        const size_t count = std::min(length, source->end - source->start);
        std::memcpy(data, source->buffer + source->start, count);
        source->start += count;
        data += count;
        length -= count;
    }
}

struct MemorySource {
    const uint8_t* data;
    size_t size, position = 0;
};

extern "C" void readFromMemory(png_structp png, png_bytep data, size_t length)
{
    auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
    if (length > source->size - source->position) {
        png_error(png, "the PNG bytes end early");
    }
    std::memcpy(data, source->data + source->position, length);
    source->position += length;
}

class Decoder {
public:
    Decoder()
        : png_(png_create_read_struct(PNG_LIBPNG_VER_STRING, &error_, jumpOnError, ignoreWarning)),
          info_(png_ ? png_create_info_struct(png_) : nullptr)
    {
        if (info_ == nullptr) {
            throw HostError("out of memory for a PNG decoder");
        }
    }
    ~Decoder() { png_destroy_read_struct(&png_, &info_, nullptr); }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    png_structp png() const { return png_; }
    png_infop info() const { return info_; }
    const char* lastError() const { return error_.message; }

private:
    PngError error_;
    png_structp png_;
    png_infop info_;
};

// Runs libpng calls with their error jump aimed here: false when libpng reported an error. The jump passes over
// the call's own frame, which must hold nothing that needs destroying.
template <typename Calls> bool guarded(png_structp png, const Calls& calls)
{
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    calls();
    return true;
}

bool readInfo(png_structp png, png_infop info)
{
    return guarded(png, [&] { png_read_info(png, info); });
}

bool readRows(png_structp png, uint8_t* first, size_t rowBytes, int32_t count)
{
    return guarded(png, [&] {
        for (int32_t row = 0; row < count; ++row) {
            png_read_row(png, first + size_t(row) * rowBytes, nullptr);
        }
    });
}

bool readEnd(png_structp png)
{
    return guarded(png, [&] { png_read_end(png, nullptr); });
}

// The header of a plain PNG, once png_read_info has read it: nullopt for any other kind.
std::optional<ImageDimensions> plainHeader(const Decoder& decoder)
{
    png_uint_32 width = 0, height = 0;
    int depth = 0, colourType = 0, interlace = 0;
    png_get_IHDR(decoder.png(), decoder.info(), &width, &height, &depth, &colourType, &interlace, nullptr, nullptr);
    const bool plain = depth == 8 && (colourType == PNG_COLOR_TYPE_RGB || colourType == PNG_COLOR_TYPE_RGB_ALPHA) &&
                       interlace == PNG_INTERLACE_NONE &&
                       png_get_valid(decoder.png(), decoder.info(), PNG_INFO_tRNS | PNG_INFO_iCCP) == 0;
    if (!plain) {
        return std::nullopt;
    }
    return ImageDimensions{int32_t(std::min<png_uint_32>(width, INT32_MAX)),
                           int32_t(std::min<png_uint_32>(height, INT32_MAX)),
                           colourType == PNG_COLOR_TYPE_RGB_ALPHA ? 4 : 3};
}

// Pixels per millimetre as the image library reads them: 2.834 without a pHYs chunk, per metre over 1000 for a
// chunk in metres, and the chunk's numbers as they stand for one without a unit.
void readResolution(const Decoder& decoder, HostImage& image)
{
    png_uint_32 x = 2834, y = 2834;
    int unit = PNG_RESOLUTION_METER;
    png_get_pHYs(decoder.png(), decoder.info(), &x, &y, &unit);
    const double scale = unit == PNG_RESOLUTION_METER ? 1000.0 : 1.0;
    image.xResolution = x / scale;
    image.yResolution = y / scale;
}

// A plain PNG's header read from the open file: nullopt when it is not one.
std::optional<ImageDimensions> openPlain(Decoder& decoder, FileSource& source)
{
    png_byte signature[8];
    const ssize_t got = ::pread(source.fd, signature, sizeof signature, 0);
    if (got != ssize_t(sizeof signature) || png_sig_cmp(signature, 0, sizeof signature) != 0) {
        return std::nullopt;
    }
    png_set_read_fn(decoder.png(), &source, readFromFile);
    if (!readInfo(decoder.png(), decoder.info())) {
        return std::nullopt;
    }
    return plainHeader(decoder);
}

class OpenFile {
public:
    explicit OpenFile(const std::string& path) : fd_(openRegularFile(path, maxImageFileBytes)) {}
    ~OpenFile() { ::close(fd_); }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

// Decodes count rows into first, asking the cancel probe between batches; false on a decoding error.
bool decodeRows(png_structp png, uint8_t* first, size_t rowBytes, int32_t count)
{
    for (int32_t done = 0; done < count; done += rowsBetweenCancelChecks) {
        throwIfCancelled();
        if (!readRows(png, first + size_t(done) * rowBytes, rowBytes,
                      std::min(rowsBetweenCancelChecks, count - done))) {
            return false;
        }
    }
    return true;
}

// Where encoded bytes go: a file, through a buffer, or memory.
struct Sink {
    int fd = -1;
    std::vector<uint8_t> bytes;
    GrowingBytes* copy = nullptr; // where the bytes also go, as they come
    int error = 0;                // errno of a failed write

    static constexpr size_t fileBufferBytes = 256 * 1024;

    bool flush()
    {
        size_t written = 0;
        while (written < bytes.size()) {
            const ssize_t count = ::write(fd, bytes.data() + written, bytes.size() - written);
            if (count < 0 && errno == EINTR) {
                continue;
            }
            if (count <= 0) {
                error = count < 0 ? errno : ENOSPC;
                return false;
            }
            written += size_t(count);
        }
        bytes.clear();
        return true;
    }
};

extern "C" void writeToSink(png_structp png, png_bytep data, size_t length)
{
    auto* sink = static_cast<Sink*>(png_get_io_ptr(png));
    sink->bytes.insert(sink->bytes.end(), data, data + length);
    if (sink->copy != nullptr) {
        sink->copy->append(data, length);
    }
    if (sink->fd >= 0 && sink->bytes.size() >= Sink::fileBufferBytes && !sink->flush()) {
        png_error(png, "write failed");
    }
}

extern "C" void flushNothing(png_structp) {}

class Encoder {
public:
    explicit Encoder(Sink& sink)
        : png_(png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, jumpOnError, ignoreWarning)),
          info_(png_ ? png_create_info_struct(png_) : nullptr)
    {
        if (info_ == nullptr) {
            throw HostError("out of memory for a PNG encoder");
        }
        png_set_write_fn(png_, &sink, writeToSink, flushNothing);
    }
    ~Encoder() { png_destroy_write_struct(&png_, &info_); }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    png_structp png() const { return png_; }
    png_infop info() const { return info_; }

private:
    png_structp png_;
    png_infop info_;
};

int colourTypeOf(const HostImage& image)
{
    if (image.mode == plugInModeGrayScale) {
        return image.hasAlpha ? PNG_COLOR_TYPE_GRAY_ALPHA : PNG_COLOR_TYPE_GRAY;
    }
    return image.hasAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
}

// Pixels per metre as the image library writes them, from pixels per millimetre (72 dpi when unknown).
int64_t pixelsPerMetre(double perMillimetre)
{
    const double perMetre = (perMillimetre > 0 ? perMillimetre : 72.0 / 25.4) * 1000;
    return perMetre < double(PNG_UINT_31_MAX) ? int64_t(perMetre + 0.5) : -1;
}

bool writeHeader(png_structp png, png_infop info, const HostImage& image)
{
    return guarded(png, [&] {
        png_set_compression_level(png, compressionLevel);
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
        png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), 8, colourTypeOf(image),
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_pHYs(png, info, png_uint_32(pixelsPerMetre(image.xResolution)),
                     png_uint_32(pixelsPerMetre(image.yResolution)), PNG_RESOLUTION_METER);
        png_write_info(png, info);
    });
}

bool writeRows(png_structp png, const uint8_t* first, size_t rowBytes, int32_t count)
{
    return guarded(png, [&] {
        for (int32_t row = 0; row < count; ++row) {
            png_write_row(png, first + size_t(row) * rowBytes);
        }
    });
}

bool writeEnd(png_structp png, png_infop info)
{
    return guarded(png, [&] { png_write_end(png, info); });
}

// Encodes the image into the sink: false on a failed write (the sink's error says why).
bool encodeInto(const HostImage& image, Sink& sink)
{
    Encoder encoder(sink);
    if (!writeHeader(encoder.png(), encoder.info(), image)) {
        return false;
    }
    const size_t rowBytes = image.rowBytes();
    for (int32_t done = 0; done < image.height; done += rowsBetweenCancelChecks) {
        throwIfCancelled();
        const int32_t count = std::min(rowsBetweenCancelChecks, image.height - done);
        if (!writeRows(encoder.png(), image.pixels.data() + size_t(done) * rowBytes, rowBytes, count)) {
            return false;
        }
    }
    return writeEnd(encoder.png(), encoder.info());
}

// Whether the encoder takes an image of this mode, planes, profile, size and resolution.
bool encodesDescription(const HostImage& image)
{
    const bool rgb = image.mode == plugInModeRGBColor && image.colorPlanes == 3;
    const bool gray = image.mode == plugInModeGrayScale && image.colorPlanes == 1;
    return (rgb || gray) && image.planes == image.colorPlanes + (image.hasAlpha ? 1 : 0) && image.iccProfile.empty() &&
           image.width > 0 && image.height > 0 && pixelsPerMetre(image.xResolution) > 0 &&
           pixelsPerMetre(image.yResolution) > 0;
}

// The rows of a PNG decoded on a thread of their own, a batch ahead of the one who takes them, so that a composed
// image is made and encoded while its source is still being decoded. Two batches are held at a time.
class RowsAhead {
public:
    static constexpr int32_t batchRows = rowsBetweenCancelChecks;

    RowsAhead(const Decoder& decoder, size_t rowBytes, int32_t rows)
        : decoder_(decoder), rowBytes_(rowBytes),
          rows_(rows), slots_{std::vector<uint8_t>(rowBytes * batchRows), std::vector<uint8_t>(rowBytes * batchRows)},
          thread_([this] { decodeAll(); })
    {
    }
    ~RowsAhead()
    {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    RowsAhead(const RowsAhead&) = delete;
    RowsAhead& operator=(const RowsAhead&) = delete;

    // The rows of batch number `batch` (batchRows of them, fewer in the last), batches taken in order: the one
    // taken before is given back. Throws HostError when they do not decode.
    const uint8_t* take(int32_t batch)
    {
        std::unique_lock lock(mutex_);
        released_ = batch;
        changed_.notify_all();
        changed_.wait(lock, [&] { return decoded_ > batch || failed_; });
        if (decoded_ <= batch) {
            throw HostError(std::string("cannot encode a PNG image: its source's pixels do not decode (") +
                            decoder_.lastError() + ")");
        }
        return slots_[size_t(batch % 2)].data();
    }

private:
    void decodeAll()
    {
        for (int32_t batch = 0; batch * batchRows < rows_; ++batch) {
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return stop_ || batch - released_ < 2; });
                if (stop_) {
                    return;
                }
            }
            const int32_t count = std::min(batchRows, rows_ - batch * batchRows);
            const bool decoded = readRows(decoder_.png(), slots_[size_t(batch % 2)].data(), rowBytes_, count);
            {
                const std::lock_guard lock(mutex_);
                if (decoded) {
                    decoded_ = batch + 1;
                } else {
                    failed_ = true;
                }
            }
            changed_.notify_all();
            if (!decoded) {
                return;
            }
        }
    }

    const Decoder& decoder_;
    size_t rowBytes_;
    int32_t rows_;
    std::vector<uint8_t> slots_[2];
    std::mutex mutex_;
    std::condition_variable changed_;
    int32_t decoded_ = 0;  // batches decoded
    int32_t released_ = 0; // batches given back, whose slot may be filled again
    bool failed_ = false;
    bool stop_ = false;
    std::thread thread_; // last: it starts once the rest is ready
};

// A failure of libpng on bytes it was handed whole in memory: only memory can have run out.
[[noreturn]] void outOfMemory()
{
    throw HostError("cannot encode a PNG image: out of memory");
}

} // namespace

std::optional<HostImage> load(const std::string& path, const ImageLoadOptions& options)
{
    const OpenFile file(path);
    FileSource source;
    source.fd = file.fd();
    Decoder decoder;
    const std::optional<ImageDimensions> size = openPlain(decoder, source);
    if (!size) {
        return std::nullopt;
    }
    checkImageSize(size->width, size->height, path);
    if (options.checkSize) {
        options.checkSize(size->width, size->height, size->channels);
    }
    HostImage image;
    image.width = size->width;
    image.height = size->height;
    image.planes = size->channels;
    image.hasAlpha = size->channels == 4;
    readResolution(decoder, image);
    image.pixels = newPixelBuffer(image.rowBytes() * size_t(image.height));
    // A plain PNG whose pixels do not decode is damaged: said so, never handed on with rows missing. What follows
    // the pixels (the closing chunk, text) is read but not required, as the image library does not require it.
    if (!decodeRows(decoder.png(), image.pixels.data(), image.rowBytes(), image.height)) {
        throw HostError(path + ": cannot read the image: the file is damaged or incomplete (" + decoder.lastError() +
                        ")");
    }
    readEnd(decoder.png());
    return image;
}

std::optional<ImageDimensions> dimensions(const std::string& path)
{
    const OpenFile file(path);
    FileSource source;
    source.fd = file.fd();
    Decoder decoder;
    return openPlain(decoder, source);
}

bool encodes(const HostImage& image)
{
    return encodesDescription(image) && image.pixels.size() == image.rowBytes() * size_t(image.height);
}

void write(const HostImage& image, PendingFile& file)
{
    Sink sink;
    sink.fd = file.descriptor();
    sink.bytes.reserve(Sink::fileBufferBytes + 64 * 1024);
    if (!encodeInto(image, sink) || !sink.flush()) {
        const int error = sink.error != 0 ? sink.error : ENOMEM;
        throw HostError(file.target() + ": cannot write the image: " + std::strerror(error));
    }
}

std::vector<uint8_t> encode(const HostImage& image)
{
    Sink sink;
    if (!encodeInto(image, sink)) {
        outOfMemory();
    }
    return std::move(sink.bytes);
}

std::optional<std::vector<uint8_t>> encodeComposed(const HostImage& like, const std::vector<uint8_t>& source,
                                                   int32_t sourcePlanes, const RowComposer& compose, GrowingBytes* copy)
{
    if (!encodesDescription(like)) {
        return std::nullopt;
    }
    MemorySource memory{source.data(), source.size()};
    Decoder decoder;
    if (source.size() < 8 || png_sig_cmp(source.data(), 0, 8) != 0) {
        return std::nullopt;
    }
    png_set_read_fn(decoder.png(), &memory, readFromMemory);
    if (!readInfo(decoder.png(), decoder.info())) {
        return std::nullopt;
    }
    const std::optional<ImageDimensions> size = plainHeader(decoder);
    if (!size || size->width != like.width || size->height != like.height || size->channels != sourcePlanes) {
        return std::nullopt;
    }
    Sink sink;
    sink.copy = copy;
    Encoder encoder(sink);
    if (!writeHeader(encoder.png(), encoder.info(), like)) {
        outOfMemory();
    }
    // Once the encoding has begun (and its bytes may have been read), a source that fails to decode is an error:
    // no other encoder can take over.
    const size_t sourceRowBytes = size_t(like.width) * size_t(sourcePlanes);
    RowsAhead sourceRows(decoder, sourceRowBytes, like.height);
    std::vector<uint8_t> outRow(like.rowBytes());
    for (int32_t batch = 0; batch * RowsAhead::batchRows < like.height; ++batch) {
        throwIfCancelled();
        const uint8_t* rows = sourceRows.take(batch);
        const int32_t first = batch * RowsAhead::batchRows;
        for (int32_t y = first; y < std::min(first + RowsAhead::batchRows, like.height); ++y) {
            compose(0, y, like.width, rows + size_t(y - first) * sourceRowBytes, outRow.data());
            if (!writeRows(encoder.png(), outRow.data(), outRow.size(), 1)) {
                outOfMemory();
            }
        }
    }
    if (!writeEnd(encoder.png(), encoder.info())) {
        outOfMemory();
    }
    return std::move(sink.bytes);
}

} // namespace vendrel::plainpng
