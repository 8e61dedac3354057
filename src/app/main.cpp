// Tavrin: a catalogue of a private collection of video discs.
#include "app/app_identity.h"
#include "app/main_window.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrin"));
    QApplication::setApplicationDisplayName(QLatin1String(tavrin::ApplicationTitle));
    QApplication::setApplicationVersion(QLatin1String(tavrin::ApplicationVersion));

    tavrin::StartOptions options;
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) options.commandLineFile = arguments.at(1);

    tavrin::TLDF1 mainWindow(std::move(options));
    mainWindow.show();
    return QApplication::exec();
}
