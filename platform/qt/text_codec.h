#pragma once

#include <QString>
#include <memory>
#include <string>
#include <string_view>

namespace quillet {

// Converts between the controls' texts and the byte strings the program keeps, in one
// character set: the locale's (UTF-8 on nearly every system).
class TextCodec {
public:
    // The codec for a codeset name as nl_langinfo(CODESET) gives it; UTF-8 for a name that
    // no converter knows.
    explicit TextCodec(std::string_view codeset);
    ~TextCodec();
    TextCodec(const TextCodec&) = delete;
    TextCodec& operator=(const TextCodec&) = delete;
    TextCodec(TextCodec&&) = delete;
    TextCodec& operator=(TextCodec&&) = delete;

    [[nodiscard]] QString ToUnicode(std::string_view bytes) const;
    [[nodiscard]] std::string FromUnicode(const QString& text) const;
    [[nodiscard]] const std::string& Name() const { return m_name; }

private:
    std::string m_name;
};

// The codec of the environment's locale (LC_ALL, LC_CTYPE, LANG), made once.
const TextCodec& LocaleTextCodec();

// Line breaks between the edits (one '\n') and the program's texts (CR LF).
QString CrLfToLineFeeds(const QString& text);
QString LineFeedsToCrLf(const QString& text);

}  // namespace quillet
