#include "platform/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

#include <array>

namespace tavrin {

void UseQtTranslations(int language) {
    static constexpr std::array<const char*, 5> Codes{"en", "fr", "de", "it", "fi"};
    // Owned by the application, so they go with it.
    static QPointer<QTranslator> installed;
    if (!QCoreApplication::instance()) return;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
    }
    if (language <= 0 || language >= static_cast<int>(Codes.size())) return;
    auto* translator = new QTranslator(QCoreApplication::instance());
    // qtbase_xx holds the message-box buttons and the file dialogs.
    if (!translator->load(QStringLiteral("qtbase_") +
                              QLatin1String(Codes[static_cast<std::size_t>(language)]),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
}

} // namespace tavrin
