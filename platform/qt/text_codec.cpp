#include "platform/qt/text_codec.h"

#include <langinfo.h>

#include <QStringDecoder>
#include <QStringEncoder>
#include <clocale>

namespace quillet {

TextCodec::TextCodec(std::string_view codeset) : m_name(codeset) {
    if (m_name.empty() || !QStringDecoder(m_name.c_str()).isValid() ||
        !QStringEncoder(m_name.c_str()).isValid()) {
        m_name = "UTF-8";
    }
}

TextCodec::~TextCodec() = default;

QString TextCodec::ToUnicode(std::string_view bytes) const {
    QStringDecoder decoder(m_name.c_str());
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string TextCodec::FromUnicode(const QString& text) const {
    QStringEncoder encoder(m_name.c_str());
    const QByteArray bytes = encoder.encode(text);
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

const TextCodec& LocaleTextCodec() {
    static const TextCodec codec = [] {
        std::string codeset;
        locale_t environment = ::newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
        if (environment != static_cast<locale_t>(nullptr)) {
            codeset = ::nl_langinfo_l(CODESET, environment);
            ::freelocale(environment);
        }
        // The C locale's "ANSI_X3.4-1968" would turn every Japanese text into '?': the
        // program's texts are UTF-8, so is every name a plain locale gives.
        if (codeset.empty() || codeset == "ANSI_X3.4-1968") {
            codeset = "UTF-8";
        }
        return TextCodec(codeset);
    }();
    return codec;
}

QString CrLfToLineFeeds(const QString& text) {
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

QString LineFeedsToCrLf(const QString& text) {
    QString result = text;
    result.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return result;
}

}  // namespace quillet
