// The frame's shared rules: clamping order, truncation, bounded text,
// the wsprintfA stand-in, and the host's JSON numbers and bitmap reader.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <limits>

#include "bitmap.h"
#include "format.h"
#include "helpers.h"
#include "json.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Helpers, ClampSendsEveryValueToOneBound) {
    struct Case {
        double v, upper_first, lower_first;
    } cases[] = {
        {0, 0, 0},          {-5, -2, -2},         {5, 3, 3},          {kNaN, -2, -2},
        {kInf, 3, 3},       {-kInf, -2, -2},      {3, 3, 3},          {-2, -2, -2},
    };
    for (auto c : cases) {
        EXPECT_EQ(frame::clamp_upper_first(c.v, -2, 3), c.upper_first) << c.v;
        EXPECT_EQ(frame::clamp_lower_first(c.v, -2, 3), c.lower_first) << c.v;
    }
}

TEST(Helpers, TruncationIsDefinedForEveryDouble) {
    struct Case {
        double v;
        std::int32_t want;
    } cases[] = {
        {0.0, 0},
        {-0.0, 0},
        {1.999, 1},
        {-1.999, -1},
        {2147483647.0, 2147483647},
        {2147483647.9, 2147483647},
        {-2147483648.0, INT32_MIN},
        {-2147483648.9, INT32_MIN},
        {2147483648.0, INT32_MIN},
        {-2147483649.0, INT32_MIN},
        {1e300, INT32_MIN},
        {-1e300, INT32_MIN},
        {kNaN, INT32_MIN},
        {kInf, INT32_MIN},
        {-kInf, INT32_MIN},
        {4.9e-324, 0},
    };
    for (auto c : cases) EXPECT_EQ(frame::truncate_i32(c.v), c.want) << c.v;
}

TEST(Helpers, TextNeverPassesTheCapacity) {
    char buf[8];
    frame::StringElement s{};
    s.text = buf;
    for (std::uint32_t cap : {1u, 2u, 5u, 8u}) {
        std::memset(buf, 'x', sizeof buf);
        s.text_capacity = cap;
        frame::write_text(&s, "1234567890");
        EXPECT_EQ(std::strlen(buf), cap - 1);
        EXPECT_EQ(std::string(buf), std::string("1234567890").substr(0, cap - 1));
        for (std::uint32_t i = cap; i < sizeof buf; ++i) EXPECT_EQ(buf[i], 'x') << "wrote past the capacity";
    }
    s.text_capacity = 0;
    std::memset(buf, 'x', sizeof buf);
    frame::write_text(&s, "abc");
    EXPECT_EQ(buf[0], 'x');
    s.text = nullptr;
    s.text_capacity = 8;
    frame::write_text(&s, "abc");  // no buffer: nothing to write, no crash
}

std::string compat(const char* format, ...) {
    char out[frame::kWsprintfLimit + 1];
    std::va_list args;
    va_start(args, format);
    frame::wsprintf_compat(out, format, args);
    va_end(args);
    return out;
}

TEST(Helpers, WsprintfStandInMatchesCForIntegerFormats) {
    const char* formats[] = {"%d", "%3d", "%4d", "%2d", "%02d", "%05d", "%-4d|", "%4d V", "%.3d"};
    const int values[] = {0, 7, -5, 42, 999, 1000, 12345, -99, 2147483647, INT32_MIN};
    for (const char* f : formats) {
        for (int v : values) {
            char want[64];
            std::snprintf(want, sizeof want, f, v);
            EXPECT_EQ(compat(f, v), want) << f << " " << v;
        }
    }
    EXPECT_EQ(compat("%02d:%02d:%02d", 9, 5, 7), "09:05:07");
    EXPECT_EQ(compat("%s", ""), "");
    EXPECT_EQ(compat("%3s|%-3s|", "a", "b"), "  a|b  |");
    EXPECT_EQ(compat("%c%c", 'F', 0xBA), std::string("F\xBA"));
    EXPECT_EQ(compat("100%%"), "100%");
    EXPECT_EQ(compat("%u %x %X", 4000000000u, 255u, 255u), "4000000000 ff FF");
    // wsprintfA stops at 1024 characters.
    EXPECT_EQ(compat("%2000d", 1).size(), frame::kWsprintfLimit);
}

TEST(Json, NumbersReadBackExactly) {
    for (double v : {0.0, 1.0, -2000.0, 0.1, 180.4182099414971, 1e300, -1e-300, 2600 * 0.769}) {
        std::string s = host::json_number(v);
        EXPECT_EQ(std::strtod(s.c_str(), nullptr), v) << s;
    }
    EXPECT_EQ(host::json_number(kNaN), "\"nan\"");
    EXPECT_EQ(host::json_number(kInf), "\"inf\"");
    EXPECT_EQ(host::json_number(-kInf), "\"-inf\"");
    EXPECT_EQ(host::json_number(2000), "2000");
    EXPECT_EQ(host::json_string("147 \xBA" "F\"\\"), "\"147 \\u00baF\\\"\\\\\"");
}

std::vector<std::uint8_t> tiny_dib(int w, int h, int bpp, int compression, std::size_t pixel_bytes) {
    std::vector<std::uint8_t> d(40 + 256 * 4 + pixel_bytes, 0);
    auto put = [&](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) d[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put(0, 40);
    put(4, static_cast<std::uint32_t>(w));
    put(8, static_cast<std::uint32_t>(h));
    d[12] = 1;
    d[14] = static_cast<std::uint8_t>(bpp);
    put(16, static_cast<std::uint32_t>(compression));
    return d;
}

TEST(Bitmaps, DecodeAcceptsOnlyWholeUncompressed8Bit) {
    host::Bitmap b;
    host::BitmapFormat f;
    std::string error;
    // 3 x 2, rows padded to 4 bytes, bottom-up: the last stored row is the top.
    auto ok = tiny_dib(3, 2, 8, 0, 8);
    ok[40 + 4 * 7 + 2] = 200;  // palette entry 7: red 200
    ok[40 + 1024 + 4] = 7;  // stored row 1 = top row, pixel 0
    ASSERT_TRUE(host::decode_dib(ok.data(), ok.size(), b, f, error)) << error;
    EXPECT_EQ(b.width, 3);
    EXPECT_EQ(b.height, 2);
    EXPECT_EQ(b.pixel(0, 0)[0], 200);
    EXPECT_EQ(b.pixel(0, 1)[0], 0);

    struct Bad {
        std::vector<std::uint8_t> data;
        const char* why;
    } bad[] = {
        {tiny_dib(3, 2, 8, 0, 7), "truncated"},
        {tiny_dib(3, 2, 24, 0, 8), "bits per pixel"},
        {tiny_dib(3, 2, 8, 1, 8), "compressed"},
        {tiny_dib(0, 2, 8, 0, 8), "out of range"},
        {tiny_dib(3, -2147483647 - 1, 8, 0, 8), "out of range"},
        {std::vector<std::uint8_t>(20, 0), "truncated"},
    };
    for (auto& c : bad) {
        error.clear();
        EXPECT_FALSE(host::decode_dib(c.data.data(), c.data.size(), b, f, error));
        EXPECT_NE(error.find(c.why), std::string::npos) << error;
    }
    EXPECT_FALSE(host::decode_bmp_file(std::vector<std::uint8_t>(100, 'x'), b, f, error));
}

}  // namespace
