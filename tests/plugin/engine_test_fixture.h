// A CVendrel over a small image buffer with a filter record set up by hand, and colour services that record
// every request and answer like a host converting to the same space (the components come back unchanged),
// unless a test installs its own answer.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "AreaRandom.h"
#include "CVendrel.h"

namespace vendrel::test {

class EngineTest : public ::testing::Test {
protected:
    static std::vector<ColorServicesInfo>& Requests()
    {
        static std::vector<ColorServicesInfo> requests;
        return requests;
    }
    // Answers a request in place; returns the host's result code.
    static std::function<OSErr(ColorServicesInfo&)>& Answer()
    {
        static std::function<OSErr(ColorServicesInfo&)> answer;
        return answer;
    }
    static OSErr ColorServices(ColorServicesInfo* info)
    {
        Requests().push_back(*info);
        return Answer() ? Answer()(*info) : OSErr(noErr);
    }

    void SetUp() override
    {
        Requests().clear();
        Answer() = nullptr;
        SetAreaRandomState(1);
    }
    void TearDown() override { Answer() = nullptr; }

    // An interleaved image of planes bytes per pixel, rows without padding, filled with value.
    void UseImage(int width, int height, int planes, int16 mode = plugInModeRGBColor, uint8 value = 0)
    {
        this->width = width;
        this->planes = planes;
        pixels.assign(size_t(width) * size_t(height) * size_t(planes), value);
        std::memset(&record, 0, sizeof record);
        record.imageSize = Point{int16(height), int16(width)};
        record.planes = int16(planes);
        record.filterCase = filterCaseFlatImageNoSelection;
        record.outLayerPlanes = int16(planes);
        record.imageMode = mode;
        record.outData = pixels.data();
        record.outRowBytes = width * planes;
        record.outRect = Rect{0, 0, int16(height), int16(width)};
        record.colorServices = &EngineTest::ColorServices;
        engine.SetRecords(&record, nullptr);
        engine.SetChannelCount();
    }

    uint8* At(int x, int y) { return pixels.data() + (size_t(y) * size_t(width) + size_t(x)) * size_t(planes); }
    void Put(int x, int y, std::initializer_list<uint8> bytes)
    {
        int i = 0;
        for (uint8 b : bytes)
            At(x, y)[i++] = b;
    }
    void SetWindow(std::initializer_list<uint8> low, std::initializer_list<uint8> high)
    {
        std::copy(low.begin(), low.end(), engine.windowLow);
        std::copy(high.begin(), high.end(), engine.windowHigh);
    }
    void SetPaint(std::initializer_list<uint8> color) { std::copy(color.begin(), color.end(), engine.paintColor); }

    // Starts a new area at (x, y) as the walk does and floods it.
    void FloodArea(int x, int y)
    {
        engine.areaPixels = 0;
        engine.areaMinX = engine.areaMaxX = x;
        engine.areaMinY = engine.areaMaxY = y;
        engine.FillFrom(x, y);
    }

    CVendrel engine;
    FilterRecord record{};
    std::vector<uint8> pixels;
    int width = 0;
    int planes = 0;
};

} // namespace vendrel::test
