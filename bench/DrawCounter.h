// Counts and times of the platform calls the toolkit makes while it draws, gathered through
// link-time wraps of the GDI and USER entries it imports and a counting stand-in for the imaging
// library's blend entries, so that the toolkit's own code stays as it ships.
#pragma once

#include <cstdint>

namespace panelbench {

// The counted entries; BitBlt counts apart by the kind of its destination device.
enum Entry : int {
    kBitBltToWindow,
    kBitBltInMemory,
    kAlphaBlend,
    kTransparentBlt,
    kDrawText,
    kFillRect,
    kFirstStateEntry,  // the calls below put no pixels anywhere
    kGetDC = kFirstStateEntry,
    kReleaseDC,
    kCreateCompatibleDC,
    kDeleteDC,
    kSelectObject,
    kCreateRectRgn,
    kSelectClipRgn,
    kDeleteObject,
    kCreateFontIndirect,
    kEntryCount,
};

const char* entryName(Entry entry);

struct DrawCounts {
    long calls[kEntryCount] = {};
    std::int64_t pixels[kEntryCount] = {};  // of the block transfers, inside the clip
    double seconds[kEntryCount] = {};       // time spent inside the calls

    // The calls that put pixels anywhere.
    long drawingCalls() const {
        long total = 0;
        for (int entry = 0; entry < kFirstStateEntry; ++entry) total += calls[entry];
        return total;
    }
    double secondsInCalls() const {
        double total = 0.0;
        for (double each : seconds) total += each;
        return total;
    }
};

// Counting asks each BitBlt's device for its type and reads the clock around each call, so timed
// runs leave it off.
void startCounting();
DrawCounts stopCounting();

// The frame loads the imaging entries when it is made: call this after every effEditOpen.
void hookImagingEntries();
// Before the frame goes and frees the imaging library.
void unhookImagingEntries();

}  // namespace panelbench
