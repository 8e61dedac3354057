// The window edge: records and files hold 8-bit Windows-1252 text, Qt holds UTF-16.
#pragma once

#include "lang/catalogue.h"

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

namespace tavrin {

struct FileFailure;

QString QStringFromCp1252(std::string_view text);
std::string Cp1252FromQString(const QString& text);

std::filesystem::path PathFromQString(const QString& path);
QString QStringFromPath(const std::filesystem::path& path);
// Paths kept in the collection state are UTF-8.
QString QStringFromUtf8(std::string_view text);

// A catalogue text as Qt shows it.
QString QText(const MessageCatalogue& catalogue, Msg m);
// A catalogue text as the caption of a button, check box or group: an '&' in it ("P&S/Full
// Frame") is shown as it is instead of marking a keyboard shortcut.
QString QCaptionText(const MessageCatalogue& catalogue, Msg m);
// "Could not write NAME: REASON. The file on disk is unchanged." for a failed write.
QString WriteFailureText(const MessageCatalogue& catalogue, const FileFailure& failure);

} // namespace tavrin
