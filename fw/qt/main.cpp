// The program's entry on Linux: Qt 6 Widgets.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <clocale>

#include "fw/process_command_line.h"
#include "fw/qt/ui_backend.h"
#include "fw/win_app.h"

int main(int argc, char** argv) {
    fw::SetProcessArguments(argc, argv);
    std::setlocale(LC_ALL, "");

    // Qt sees only the program's path: the program reads every argument
    // itself, as a file or an ignored switch, so none may change Qt
    // (-platform, -style, -reverse...).
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication application(qtArgc, qtArgv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.korvane.Korvane"));

    // Standard button texts (OK, Cancel) in the user's language.
    QTranslator translator;
    if (translator.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);

    fw::qt::UiBackend backend(argv[0]);
    fw::SetBackend(&backend);
    const int status = fw::RunApplication();
    fw::SetBackend(nullptr);
    return status;
}
