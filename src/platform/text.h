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
// Characters Windows-1252 has no byte for become '?': a text the user typed goes through
// UnstorableMessage first and is refused with it.
std::string Cp1252FromQString(const QString& text);
// The message refusing a typed text that holds characters a collection cannot store, naming them
// and the field; empty when every character can be stored.
QString UnstorableMessage(const MessageCatalogue& catalogue, Msg field, const QString& text);
// True when every character of text has a Windows-1252 byte.
bool IsStorable(const QString& text);
// Upper case as the lists and titles store it (é to É), every other character left as typed.
QString UpperStorable(const QString& text);

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
// "NAME is not a regular file", "NAME is too large: 2,048 MB, at most 64 MB", "NAME cannot be
// read: REASON" for a file that could not be read, named as the user chose it; "Invalid file!"
// for one that is not what the reader takes.
QString ReadFailureText(const MessageCatalogue& catalogue, FileFailure failure, const QString& fileName);

} // namespace tavrin
