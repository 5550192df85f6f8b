#include "cli/console.h"

#include <iconv.h>
#include <langinfo.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <vector>

namespace quillet::cli {

namespace {

bool IsUtf8(std::string_view charset) noexcept {
    std::string folded;
    for (const char c : charset) {
        if (c != '-' && c != '_') {
            folded.push_back((c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c);
        }
    }
    return folded == "UTF8";
}

void WriteAll(int fd, std::string_view bytes) noexcept {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

}  // namespace

Console::Console() {
    locale_t environmentLocale = ::newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
    if (environmentLocale == static_cast<locale_t>(nullptr)) {
        return;
    }
    const std::string_view charset = ::nl_langinfo_l(CODESET, environmentLocale);
    if (!IsUtf8(charset)) {
        m_charset = charset;
    }
    ::freelocale(environmentLocale);
}

std::string Console::Localize(std::string_view utf8) const {
    if (m_charset.empty()) {
        return std::string(utf8);
    }
    iconv_t converter = ::iconv_open(m_charset.c_str(), "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {  // NOLINT(*-reinterpret-cast,*-int-to-ptr)
        return std::string(utf8);
    }
    // No charset spends more than four bytes on a character that UTF-8 spells in one.
    std::vector<char> output(utf8.size() * 4 + 4);
    std::vector<char> input(utf8.begin(), utf8.end());
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    const std::size_t result = ::iconv(converter, &in, &inLeft, &out, &outLeft);
    const bool complete =
        result != static_cast<std::size_t>(-1) && inLeft == 0 &&
        ::iconv(converter, nullptr, nullptr, &out, &outLeft) != static_cast<std::size_t>(-1);
    ::iconv_close(converter);
    if (!complete) {
        return std::string(utf8);
    }
    return {output.data(), output.size() - outLeft};
}

void Console::WriteOut(std::string_view bytes) noexcept {
    WriteAll(STDOUT_FILENO, bytes);
}

void Console::WriteError(std::string_view bytes) noexcept {
    WriteAll(STDERR_FILENO, bytes);
}

bool Console::CanAsk() noexcept {
    return ::isatty(STDIN_FILENO) == 1 && ::isatty(STDERR_FILENO) == 1;
}

bool Console::Ask(std::string_view prompt) {
    WriteError(prompt);
    std::string answer;
    bool ended = false;
    for (;;) {
        char byte = 0;
        const ssize_t got = ::read(STDIN_FILENO, &byte, 1);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            ended = true;
            break;
        }
        if (byte == '\n') {
            break;
        }
        answer.push_back(byte);
    }
    if (ended) {
        // The person ended the input instead of a line: the next message starts a line of its own.
        WriteError("\n");
    }
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!answer.empty() && blank(answer.back())) {
        answer.pop_back();
    }
    answer.erase(answer.begin(), std::ranges::find_if_not(answer, blank));
    std::ranges::transform(answer, answer.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
    });
    return answer == "y" || answer == "yes";
}

}  // namespace quillet::cli
