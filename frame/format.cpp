// format.cpp - bounded readout formatting; see format.h.
#include "format.h"

#include <cstdio>
#include <cstring>

#include "helpers.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace frame {

namespace {

struct Sink {
    char* out;
    std::size_t used = 0;
    void put(char c) {
        if (used < kWsprintfLimit) out[used++] = c;
    }
};

void put_padded(Sink& sink, const char* body, std::size_t len, bool left, char pad,
                int width, bool sign_first) {
    std::size_t w = width > 0 ? static_cast<std::size_t>(width) : 0;
    std::size_t fill = w > len ? w - len : 0;
    if (left) {
        for (std::size_t i = 0; i < len; ++i) sink.put(body[i]);
        for (std::size_t i = 0; i < fill; ++i) sink.put(' ');
        return;
    }
    std::size_t start = 0;
    if (pad == '0' && sign_first && len > 0 && body[0] == '-') {
        sink.put('-');
        start = 1;
    }
    for (std::size_t i = 0; i < fill; ++i) sink.put(pad);
    for (std::size_t i = start; i < len; ++i) sink.put(body[i]);
}

}  // namespace

int wsprintf_compat(char* out, const char* format, std::va_list args) {
    Sink sink{out};
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%') {
            sink.put(*p);
            continue;
        }
        ++p;
        bool left = false;
        char pad = ' ';
        for (;; ++p) {
            if (*p == '-') left = true;
            else if (*p == '0') pad = '0';
            else if (*p == '#' || *p == ' ' || *p == '+') continue;
            else break;
        }
        int width = 0;
        while (*p >= '0' && *p <= '9') width = width * 10 + (*p++ - '0');
        int precision = -1;
        if (*p == '.') {
            ++p;
            precision = 0;
            while (*p >= '0' && *p <= '9') precision = precision * 10 + (*p++ - '0');
        }
        if (*p == 'l' || *p == 'h') ++p;
        char digits[40];
        std::size_t n = 0;
        switch (*p) {
        case 'd':
        case 'i': {
            long long v = va_arg(args, int);
            bool negative = v < 0;
            unsigned long long u = negative ? static_cast<unsigned long long>(-v) : v;
            char rev[24];
            std::size_t k = 0;
            do {
                rev[k++] = static_cast<char>('0' + u % 10);
                u /= 10;
            } while (u != 0);
            while (precision > 0 && k < static_cast<std::size_t>(precision) && k < sizeof rev) rev[k++] = '0';
            if (negative) digits[n++] = '-';
            while (k > 0) digits[n++] = rev[--k];
            put_padded(sink, digits, n, left, pad, width, true);
            break;
        }
        case 'u':
        case 'x':
        case 'X': {
            unsigned u = va_arg(args, unsigned);
            unsigned base = *p == 'u' ? 10 : 16;
            const char* set = *p == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
            char rev[24];
            std::size_t k = 0;
            do {
                rev[k++] = set[u % base];
                u /= base;
            } while (u != 0);
            while (precision > 0 && k < static_cast<std::size_t>(precision) && k < sizeof rev) rev[k++] = '0';
            while (k > 0) digits[n++] = rev[--k];
            put_padded(sink, digits, n, left, pad, width, false);
            break;
        }
        case 'c': {
            char c = static_cast<char>(va_arg(args, int));
            put_padded(sink, &c, 1, left, pad, width, false);
            break;
        }
        case 's': {
            const char* s = va_arg(args, const char*);
            if (s == nullptr) s = "(null)";
            std::size_t len = std::strlen(s);
            if (precision >= 0 && static_cast<std::size_t>(precision) < len) len = precision;
            put_padded(sink, s, len, left, pad, width, false);
            break;
        }
        case '\0':
            --p;  // a lone '%' at the end prints nothing
            break;
        default:
            sink.put(*p);  // "%%" and unknown conversions print the character
            break;
        }
    }
    out[sink.used] = '\0';
    return static_cast<int>(sink.used);
}

void format_text(StringElement* s, const char* format, ...) {
    char buffer[kWsprintfLimit + 1];
    std::va_list args;
    va_start(args, format);
#if defined(_WIN32)
    wvsprintfA(buffer, format, args);
#else
    wsprintf_compat(buffer, format, args);
#endif
    va_end(args);
    write_text(s, buffer);
}

void format_c_text(StringElement* s, const char* format, ...) {
    char buffer[kWsprintfLimit + 1];
    std::va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    write_text(s, buffer);
}

}  // namespace frame
