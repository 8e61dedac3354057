#include "platform/text.h"

#include "lang/read_failure.h"
#include "lang/unstorable_text.h"
#include "lang/write_failure.h"
#include "store/text_encoding.h"

#include <QDir>

namespace tavrin {

QString QStringFromCp1252(std::string_view text) {
    return QStringFromUtf8(Cp1252ToUtf8(text));
}

std::string Cp1252FromQString(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return Utf8ToCp1252(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

QString UnstorableMessage(const MessageCatalogue& catalogue, Msg field, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return QStringFromUtf8(UnstorableTextMessage(
        catalogue(field), std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())),
        catalogue.Language()));
}

bool IsStorable(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return UnstorableCharacters(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())))
        .empty();
}

QString UpperStorable(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return QStringFromUtf8(
        UpperStorableLetters(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size()))));
}

std::filesystem::path PathFromQString(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

QString QStringFromPath(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

QString QStringFromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString QText(const MessageCatalogue& catalogue, Msg m) {
    return QStringFromUtf8(catalogue(m));
}

QString QCaptionText(const MessageCatalogue& catalogue, Msg m) {
    return QText(catalogue, m).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QString WriteFailureText(const MessageCatalogue& catalogue, const FileFailure& failure) {
    return QStringFromUtf8(WriteFailureMessage(catalogue, failure));
}

QString ReadFailureText(const MessageCatalogue& catalogue, FileFailure failure, const QString& fileName) {
    const QByteArray name = QDir::toNativeSeparators(fileName).toUtf8();
    failure.path.assign(name.constData(), static_cast<std::size_t>(name.size()));
    return QStringFromUtf8(ReadFailureMessage(catalogue, failure));
}

} // namespace tavrin
