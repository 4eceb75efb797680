// The program's entry on Linux: Qt 6 Widgets.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <clocale>
#include <csignal>

#include "fw/core/win_app.h"
#include "fw/platform/process_command_line.h"
#include "fw/ui_backends/qt/session_end.h"
#include "fw/ui_backends/qt/ui_backend.h"

// The program's name and its desktop entry's id come from the build, which
// names the program and installs the entry.
#if !defined(KORVANE_PROGRAM_NAME) || !defined(KORVANE_DESKTOP_ID)
#error "the build defines KORVANE_PROGRAM_NAME and KORVANE_DESKTOP_ID"
#endif

int main(int argc, char** argv) {
    // A write past the file size limit and a write to a pipe whose reader
    // has gone fail with EFBIG and EPIPE once these are ignored, and reach
    // the write-error message instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);

    fw::SetProcessArguments(argc, argv);
    std::setlocale(LC_ALL, "");

    // A program started without any argument (execve allows it; Linux then
    // hands over an empty one) goes by its own name.
    char fallbackName[] = KORVANE_PROGRAM_NAME;
    char* programPath =
        argc > 0 && argv[0] != nullptr && argv[0][0] != '\0' ? argv[0] : fallbackName;

    // Qt sees only the program's path: the program reads every argument
    // itself, as a file or an ignored switch, so none may change Qt
    // (-platform, -style, -reverse...).
    int qtArgc = 1;
    char* qtArgv[] = {programPath, nullptr};
    QApplication application(qtArgc, qtArgv);
    QGuiApplication::setDesktopFileName(QStringLiteral(KORVANE_DESKTOP_ID));

    // Qt's own texts (the edit field's context menu) in the user's language;
    // the message boxes' buttons are set apart, in Japanese.
    QTranslator translator;
    if (translator.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);

    // The session ending stops a running join before the program ends.
    fw::qt::SessionEnd sessionEnd;

    fw::qt::UiBackend backend(programPath);
    fw::SetBackend(&backend);
    const int status = fw::RunApplication();
    fw::SetBackend(nullptr);
    return status;
}
