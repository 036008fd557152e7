// talon_png_bench: what the editor's artwork costs. Decoding PNGs of the artwork's sizes with
// CBitmap's decoder against libpng's simplified read API on the same bytes, and drawing one
// 80 x 80 film-strip frame blended against a plain BitBlt of the same area. Not a test: run it
// by hand under Wine.
#include <png.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <limits>
#include <vector>

#include "gui/draw/CBitmap.h"
#include "gui/draw/CDrawContext.h"
#include "gui/platform/win32/Win32Globals.h"
#include "gui/platform/win32/Win32Handles.h"

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<unsigned char>;

constexpr int kRounds = 7;
constexpr double kRunSeconds = 0.050;
constexpr double kDecodeTarget = 1.2;  // CBitmap's decoder against the simplified API
constexpr int kFrameSide = 80;
constexpr int kFrames = 61;
constexpr int kPanelWidth = 752;
constexpr int kPanelHeight = 80;
constexpr int kDisplayWidth = 228;
constexpr int kDisplayHeight = 1220;
constexpr double kPi = 3.14159265358979323846;

// Collects a byte of every decode and draw so that none can be optimised away.
unsigned checksum = 0;

struct Rgba {
    int red, green, blue, alpha;
};
using PixelFunction = std::function<Rgba(int x, int y)>;

void PNGCBAPI appendBytes(png_structp png, png_bytep data, std::size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void PNGCBAPI noFlush(png_structp) {}

void writeRows(png_structp png, png_infop info, int width, int height, bool alpha,
               const PixelFunction& pixel) {
    png_set_IHDR(png, info, width, height, 8, alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    Bytes row(static_cast<std::size_t>(width) * 4);
    for (int y = 0; y < height; ++y) {
        unsigned char* out = row.data();
        for (int x = 0; x < width; ++x) {
            const Rgba p = pixel(x, y);
            *out++ = static_cast<unsigned char>(p.red);
            *out++ = static_cast<unsigned char>(p.green);
            *out++ = static_cast<unsigned char>(p.blue);
            if (alpha) *out++ = static_cast<unsigned char>(p.alpha);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
}

// The only frame with setjmp; an encoding error leaves the bytes empty.
bool writeRecovering(png_structp png, png_infop info, int width, int height, bool alpha,
                     const PixelFunction& pixel) {
    if (setjmp(png_jmpbuf(png))) return false;
    writeRows(png, info, width, height, alpha, pixel);
    return true;
}

Bytes encodePng(int width, int height, bool alpha, const PixelFunction& pixel) {
    Bytes bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (info) {
        png_set_write_fn(png, &bytes, appendBytes, noFlush);
        if (!writeRecovering(png, info, width, height, alpha, pixel)) bytes.clear();
    }
    png_destroy_write_struct(&png, &info);
    return bytes;
}

// A repeatable grain, like the noise of rendered artwork.
int grain(int x, int y) { return static_cast<int>((x * 7919u + y * 104729u) * 2654435761u >> 28); }

// The panel: a brushed-metal gradient with engraved lines.
Rgba panelPixel(int x, int y) {
    const int base = 90 + y + grain(x, y);
    const int line = (x % 94 == 0 || y == 40) ? 40 : 0;
    return {base - line, base - line + 4, base - line + 10, 255};
}

// A knob frame: a shaded disc with soft edges and a pointer at the frame's angle, clear corners.
Rgba knobPixel(int x, int y) {
    const int frame = y / kFrameSide;
    const double dx = x - 39.5, dy = y % kFrameSide - 39.5;
    const double radius = std::sqrt(dx * dx + dy * dy);
    const double edge = std::clamp(37.0 - radius, 0.0, 1.0);
    const double angle = (frame * 300.0 / (kFrames - 1) - 150.0) * kPi / 180.0;
    const double along = dx * std::sin(angle) - dy * std::cos(angle);
    const double across = std::fabs(dx * std::cos(angle) + dy * std::sin(angle));
    const bool pointer = along > 10 && along < 34 && across < 2.5;
    const int shade = static_cast<int>(200 - radius * 3 - dx - dy) + grain(x, y);
    const int value = std::clamp(pointer ? 250 : shade, 0, 255);
    return {value, value, pointer ? 120 : value, static_cast<int>(edge * 255)};
}

// A display frame: segments lit according to the frame, a translucent glow around them.
Rgba displayPixel(int x, int y) {
    const int frame = y / (kDisplayHeight / kFrames);
    const int row = y % (kDisplayHeight / kFrames);
    const bool lit = row > 3 && row < 16 && x % 12 < 9 && x / 12 <= frame * 18 / kFrames;
    const int glow = row > 1 && row < 18 ? 60 + grain(x, y) : 0;
    return {lit ? 255 : 40, lit ? 160 : 20, 0, lit ? 255 : glow};
}

struct Image {
    const char* name;
    Bytes bytes;
};

// Seconds per call of work: best of kRounds runs, the contenders taking turns within a round.
template <std::size_t N>
std::vector<double> measure(const std::function<void()> (&contenders)[N]) {
    std::vector<long long> calls(N, 1);
    std::vector<double> best(N, std::numeric_limits<double>::infinity());
    auto secondsFor = [&](std::size_t c, long long count) {
        const Clock::time_point start = Clock::now();
        for (long long i = 0; i < count; ++i) contenders[c]();
        return std::chrono::duration<double>(Clock::now() - start).count();
    };
    for (std::size_t c = 0; c < N; ++c) {
        while (secondsFor(c, calls[c]) < kRunSeconds / 10) calls[c] *= 2;
        calls[c] =
            std::max(1LL, static_cast<long long>(calls[c] * kRunSeconds / secondsFor(c, calls[c])));
    }
    for (int round = 0; round < kRounds; ++round)
        for (std::size_t c = 0; c < N; ++c)
            best[c] = std::min(best[c], secondsFor(c, calls[c]) / static_cast<double>(calls[c]));
    return best;
}

// A fresh 32-bit bottom-up section, the destination any decoder for GDI needs. Fresh memory costs
// a page fault per page on first write, which both contenders pay alike this way.
class Section {
  public:
    Section(int width, int height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        handle = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    }
    ~Section() { DeleteObject(handle); }
    Section(const Section&) = delete;
    Section& operator=(const Section&) = delete;
    HBITMAP handle = nullptr;
    void* bits = nullptr;
};

// libpng's simplified API into straight BGRA, rows bottom-up like the section. Into a fresh
// section when `into` is null, else into that buffer.
bool simplifiedDecode(const Bytes& bytes, Bytes* into) {
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return false;
    image.format = PNG_FORMAT_BGRA;
    const png_int_32 stride = -static_cast<png_int_32>(PNG_IMAGE_ROW_STRIDE(image));
    Section section(static_cast<int>(into ? 1 : image.width),
                    static_cast<int>(into ? 1 : image.height));
    if (into) into->resize(PNG_IMAGE_SIZE(image));
    void* buffer = into ? into->data() : section.bits;
    const bool ok = buffer && png_image_finish_read(&image, nullptr, buffer, stride, nullptr) != 0;
    png_image_free(&image);
    checksum += static_cast<const unsigned char*>(buffer)[0];
    return ok;
}

bool ourDecode(gui::CBitmap& bitmap, const Bytes& bytes) {
    const bool ok = bitmap.loadFromMemory(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    checksum += static_cast<unsigned>(bitmap.getWidth());
    return ok;
}

// Both contenders must produce the same picture: the section is the other's, premultiplied.
bool samePicture(const gui::CBitmap& bitmap, const Bytes& straight) {
    DIBSECTION section = {};
    GetObjectA(gdiObject(bitmap.getHandle()), sizeof(section), &section);
    GdiFlush();
    const auto* ours = static_cast<const unsigned char*>(section.dsBm.bmBits);
    for (std::size_t i = 0; i < straight.size(); i += 4) {
        const unsigned alpha = straight[i + 3];
        for (int c = 0; c < 3; ++c)
            if (ours[i + c] != ((straight[i + c] * alpha) >> 8)) return false;
        if (ours[i + 3] != alpha) return false;
    }
    return true;
}

const char* verdict(double ratio, double target) { return ratio <= target ? "met" : "MISSED"; }

bool benchDecode(const Image& image) {
    gui::CBitmap bitmap;
    Bytes pixels;
    if (!ourDecode(bitmap, image.bytes) || !simplifiedDecode(image.bytes, &pixels) ||
        !samePicture(bitmap, pixels)) {
        std::printf("%-22s decoders disagree or fail\n", image.name);
        return false;
    }
    const std::function<void()> contenders[] = {[&] { ourDecode(bitmap, image.bytes); },
                                                [&] { simplifiedDecode(image.bytes, nullptr); },
                                                [&] { simplifiedDecode(image.bytes, &pixels); }};
    const std::vector<double> seconds = measure(contenders);
    const double ratio = seconds[0] / seconds[1];
    std::printf("%-22s %8zu %11.3f %13.3f %8.2f   <= %.1f %-6s %14.3f\n", image.name,
                image.bytes.size(), seconds[0] * 1e3, seconds[1] * 1e3, ratio, kDecodeTarget,
                verdict(ratio, kDecodeTarget), seconds[2] * 1e3);
    return ratio <= kDecodeTarget;
}

// A 32-bit section of the panel's size in a memory device: what the frame's back buffer is.
class BackBuffer {
  public:
    BackBuffer() {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = kPanelWidth;
        info.bmiHeader.biHeight = kPanelHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        device = CreateCompatibleDC(nullptr);
        previous = SelectObject(device, section);
    }
    ~BackBuffer() {
        SelectObject(device, previous);
        DeleteDC(device);
        DeleteObject(section);
    }
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;
    HDC device = nullptr;

  private:
    HBITMAP section = nullptr;
    HGDIOBJ previous = nullptr;
};

void benchDraw(const Image& strip) {
    // A bitmap can be selected into one device at a time: the plain copy reads its own decode.
    gui::CBitmap bitmap, copy;
    ourDecode(bitmap, strip.bytes);
    ourDecode(copy, strip.bytes);
    BackBuffer buffer;
    gui::CDrawContext context(nullptr, buffer.device, nullptr);
    HDC stripDevice = CreateCompatibleDC(buffer.device);
    HGDIOBJ previous = SelectObject(stripDevice, gdiObject(copy.getHandle()));
    int frame = 0;
    auto next = [&frame] { return kFrameSide * (frame = (frame + 1) % kFrames); };
    const std::function<void()> contenders[] = {
        [&] { bitmap.draw(&context, gui::CRectangle(100, 0, 180, 80), gui::CPosition(0, next())); },
        [&] {
            BitBlt(buffer.device, 100, 0, kFrameSide, kFrameSide, stripDevice, 0, next(), SRCCOPY);
        },
        [&] {
            HDC device = CreateCompatibleDC(buffer.device);
            HGDIOBJ old = SelectObject(device, gdiObject(bitmap.getHandle()));
            BitBlt(buffer.device, 100, 0, kFrameSide, kFrameSide, device, 0, next(), SRCCOPY);
            SelectObject(device, old);
            DeleteDC(device);
        }};
    const std::vector<double> seconds = measure(contenders);
    SelectObject(stripDevice, previous);
    DeleteDC(stripDevice);
    checksum += GetPixel(buffer.device, 140, 40);
    std::printf("\n80 x 80 film-strip frame in us, best of %d runs\n", kRounds);
    std::printf(
        "blended draw %.2f, plain BitBlt %.2f, ratio %.2f; BitBlt with a memory device "
        "made per call as draw does %.2f, ratio %.2f\n",
        seconds[0] * 1e6, seconds[1] * 1e6, seconds[0] / seconds[1], seconds[2] * 1e6,
        seconds[0] / seconds[2]);
}

}  // namespace

int main() {
    HMODULE imaging = gui::loadImagingEntryPoints();
    if (!gui::alphaBlendEntry) std::printf("AlphaBlend is missing: draws copy opaquely\n");
    const Image images[] = {
        {"panel 752x80 RGB", encodePng(kPanelWidth, kPanelHeight, false, panelPixel)},
        {"knob 80x4880 RGBA", encodePng(kFrameSide, kFrameSide * kFrames, true, knobPixel)},
        {"display 228x1220 RGBA", encodePng(kDisplayWidth, kDisplayHeight, true, displayPixel)}};
    std::printf("PNG decode in ms per image, best of %d runs of about %.0f ms\n\n", kRounds,
                kRunSeconds * 1000.0);
    std::printf("%-22s %8s %11s %13s %8s   %-13s %14s\n", "image", "bytes", "CBitmap ms",
                "simplified ms", "ratio", "target", "warm buffer ms");
    bool met = true;
    for (const Image& image : images) met = benchDecode(image) && met;
    benchDraw(images[1]);
    std::printf("\n(checksum %u)\n", checksum);
    if (imaging) FreeLibrary(imaging);
    return met ? 0 : 1;
}
