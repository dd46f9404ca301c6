#include "vendrel/host/OraFile.h"

#include <zip.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <future>
#include <memory>

#include "vendrel/host/Cancellation.h"
#include "vendrel/host/ImageFile.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel {

namespace {

constexpr int32_t thumbnailSide = 256;

// (a * b + 127) / 255 for 8-bit a and b, without a division, so that a row of them is done in vector registers.
uint8_t multiplied(unsigned a, unsigned b)
{
    const unsigned t = a * b + 128;
    return uint8_t((t + (t >> 8)) >> 8);
}

// One pixel of the merged image: opaque line art is multiplied over the flats, channel by channel, and the alpha
// is the flats' own; line art with alpha (drawn on a transparent background) is laid over them as it is.
void mergePixel(const uint8_t* flats, const uint8_t* line, uint8_t* out, const HostImage& flatsImage,
                const OraLineArt& lineArt)
{
    const size_t colours = size_t(flatsImage.colorPlanes);
    if (!lineArt.hasAlpha) {
        for (size_t c = 0; c < colours; ++c) {
            out[c] = multiplied(flats[c], line[c]);
        }
        if (flatsImage.hasAlpha) {
            out[flatsImage.planes - 1] = flats[flatsImage.planes - 1];
        }
        return;
    }
    const double lineAlpha = line[lineArt.colorPlanes] / 255.0;
    const double flatsAlpha = flatsImage.hasAlpha ? flats[flatsImage.planes - 1] / 255.0 : 1.0;
    const double alpha = lineAlpha + flatsAlpha * (1 - lineAlpha);
    for (size_t c = 0; c < colours; ++c) {
        out[c] = alpha > 0 ? uint8_t((line[c] * lineAlpha + flats[c] * flatsAlpha * (1 - lineAlpha)) / alpha + 0.5)
                           : flats[c];
    }
    if (flatsImage.hasAlpha) {
        out[flatsImage.planes - 1] = uint8_t(alpha * 255 + 0.5);
    }
}

// The merged image's rows from the same rows of the line art, as its encoders ask for them.
RowComposer mergedRows(const HostImage& flats, const OraLineArt& lineArt)
{
    return [&flats, &lineArt](int32_t x, int32_t y, int32_t count, const uint8_t* line, uint8_t* out) {
        const uint8_t* flatsPixels = flats.pixel(x, y);
        const size_t flatsPlanes = size_t(flats.planes), linePlanes = size_t(lineArt.planes());
        if (!lineArt.hasAlpha && !flats.hasAlpha) {
            // Both are the same colour planes: the line art multiplies the flats byte by byte.
            for (size_t i = 0; i < size_t(count) * flatsPlanes; ++i) {
                out[i] = multiplied(flatsPixels[i], line[i]);
            }
            return;
        }
        for (size_t i = 0; i < size_t(count); ++i) {
            mergePixel(flatsPixels + i * flatsPlanes, line + i * linePlanes, out + i * flatsPlanes, flats, lineArt);
        }
    };
}

// A resolution in pixels per millimetre as the whole pixels per inch OpenRaster's xres and yres hold.
std::string pixelsPerInch(double perMillimetre)
{
    return std::to_string(std::lround(perMillimetre * 25.4));
}

std::string stackXml(const HostImage& image, const OraLineArt& lineArt)
{
    const std::string lineArtOp = lineArt.hasAlpha ? "svg:src-over" : "svg:multiply";
    std::string size = "w=\"" + std::to_string(image.width) + "\" h=\"" + std::to_string(image.height) + "\"";
    // Without them each reader assumes a resolution of its own, and a 300-dpi scan opens at the wrong size.
    if (image.xResolution > 0 && image.yResolution > 0) {
        size += " xres=\"" + pixelsPerInch(image.xResolution) + "\" yres=\"" + pixelsPerInch(image.yResolution) + "\"";
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<image version=\"0.0.3\" " +
           size +
           ">\n"
           "  <stack>\n"
           "    <layer name=\"Line art\" src=\"data/lineart.png\" composite-op=\"" +
           lineArtOp +
           "\" opacity=\"1.0\" "
           "visibility=\"visible\" x=\"0\" y=\"0\"/>\n"
           "    <layer name=\"Flats\" src=\"data/flats.png\" composite-op=\"svg:src-over\" opacity=\"1.0\" "
           "visibility=\"visible\" x=\"0\" y=\"0\"/>\n"
           "  </stack>\n"
           "</image>\n";
}

class ZipWriter {
public:
    ZipWriter()
    {
        zip_error_init(&error_);
        source_ = zip_source_buffer_create(nullptr, 0, 0, &error_);
        if (source_ != nullptr) {
            archive_ = zip_open_from_source(source_, ZIP_TRUNCATE, &error_);
        }
        if (archive_ == nullptr) {
            fail("cannot start the zip archive");
        }
        zip_source_keep(source_);
    }
    ~ZipWriter()
    {
        if (archive_ != nullptr) {
            zip_discard(archive_);
        }
        zip_source_free(source_);
        zip_error_fini(&error_);
    }
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // The bytes must stay alive until finish(); entries are written in the order they are added.
    void add(const char* name, const std::vector<uint8_t>& bytes, bool stored)
    {
        zip_source_t* entry = zip_source_buffer(archive_, bytes.data(), bytes.size(), 0);
        const zip_int64_t index = entry ? zip_file_add(archive_, name, entry, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            zip_source_free(entry);
            fail(std::string("cannot add ") + name);
        }
        zip_set_file_compression(archive_, zip_uint64_t(index), stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
        zip_file_set_mtime(archive_, zip_uint64_t(index), 0, 0);
    }

    std::vector<uint8_t> finish()
    {
        if (zip_close(archive_) != 0) {
            fail("cannot finish the zip archive");
        }
        archive_ = nullptr;
        std::vector<uint8_t> bytes;
        if (zip_source_open(source_) != 0) {
            fail("cannot read the zip archive back");
        }
        zip_source_seek(source_, 0, SEEK_END);
        bytes.resize(size_t(zip_source_tell(source_)));
        zip_source_seek(source_, 0, SEEK_SET);
        const zip_int64_t read = zip_source_read(source_, bytes.data(), bytes.size());
        zip_source_close(source_);
        if (read != zip_int64_t(bytes.size())) {
            fail("cannot read the zip archive back");
        }
        return bytes;
    }

private:
    [[noreturn]] void fail(const std::string& what)
    {
        const char* reason = archive_ ? zip_strerror(archive_) : zip_error_strerror(&error_);
        throw HostError("OpenRaster: " + what + ": " + (reason ? reason : "unknown error"));
    }

    zip_error_t error_{};
    zip_source_t* source_ = nullptr;
    zip_t* archive_ = nullptr;
};

std::vector<uint8_t> bytesOf(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

} // namespace

bool isOraName(const std::string& path)
{
    const size_t length = path.size();
    if (length < 4 || path[length - 4] != '.') {
        return false;
    }
    std::string extension = path.substr(length - 3);
    for (char& c : extension) {
        c = char(std::tolower(static_cast<unsigned char>(c)));
    }
    return extension == "ora";
}

OraLineArt encodeOraLineArt(const HostImage& lineArt)
{
    if (lineArt.mode == plugInModeCMYKColor) {
        throw HostError("an OpenRaster file holds RGB layers; write CMYK images as TIFF");
    }
    OraLineArt encoded;
    encoded.png = encodePng(lineArt);
    encoded.width = lineArt.width;
    encoded.height = lineArt.height;
    encoded.colorPlanes = lineArt.colorPlanes;
    encoded.hasAlpha = lineArt.hasAlpha;
    return encoded;
}

std::vector<uint8_t> oraBytes(const HostImage& flats, const OraLineArt& lineArt)
{
    if (flats.mode == plugInModeCMYKColor || flats.width != lineArt.width || flats.height != lineArt.height ||
        flats.colorPlanes != lineArt.colorPlanes) {
        throw HostError("an OpenRaster file holds RGB layers of one size; write CMYK images as TIFF");
    }
    // The flats are encoded on a thread of their own while the merged image is, and its thumbnail is made on a
    // third from the merged image's PNG as it comes; a cancel is heard inside each encoding and between the parts.
    // The merged image is never whole: its rows are made from the flats and the line art's rows as its encoder
    // reads them.
    GrowingBytes mergedStream;
    auto thumbnailPng =
        std::async(std::launch::async, [&mergedStream] { return pngThumbnail(mergedStream, thumbnailSide); });
    auto flatsPng = std::async(std::launch::async, [&flats] { return encodePng(flats); });
    std::vector<uint8_t> mergedPng;
    {
        // However the encoding ends, the thumbnail's reader sees the end of its bytes.
        struct CloseAtEnd {
            GrowingBytes& bytes;
            ~CloseAtEnd() { bytes.close(); }
        } closer{mergedStream};
        mergedPng = encodeComposedPng(flats, lineArt.png, lineArt.planes(), mergedRows(flats, lineArt), &mergedStream);
    }
    throwIfCancelled();
    const std::vector<uint8_t> flatsBytes = flatsPng.get();
    const std::vector<uint8_t> thumbnailBytes = thumbnailPng.get();
    throwIfCancelled();
    const std::vector<uint8_t> mimetype = bytesOf("image/openraster"), stack = bytesOf(stackXml(flats, lineArt));
    ZipWriter zip;
    zip.add("mimetype", mimetype, true);
    zip.add("stack.xml", stack, false);
    // PNG data is compressed already.
    zip.add("data/lineart.png", lineArt.png, true);
    zip.add("data/flats.png", flatsBytes, true);
    zip.add("mergedimage.png", mergedPng, true);
    zip.add("Thumbnails/thumbnail.png", thumbnailBytes, true);
    std::vector<uint8_t> bytes = zip.finish();
    throwIfCancelled();
    return bytes;
}

std::vector<uint8_t> oraBytes(const HostImage& flats, const HostImage& lineArt)
{
    return oraBytes(flats, encodeOraLineArt(lineArt));
}

void writeOra(const HostImage& flats, const OraLineArt& lineArt, PendingFile& file)
{
    const std::vector<uint8_t> bytes = oraBytes(flats, lineArt);
    file.write(std::string(bytes.begin(), bytes.end()));
}

void saveOra(const HostImage& flats, const HostImage& lineArt, const std::string& path)
{
    const std::vector<uint8_t> bytes = oraBytes(flats, lineArt);
    PendingFile file(path);
    file.write(std::string(bytes.begin(), bytes.end()));
    file.commit();
}

} // namespace vendrel
