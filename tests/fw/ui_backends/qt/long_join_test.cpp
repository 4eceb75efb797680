// A join that lasts: the program on the Qt backend joining a large sparse
// input. The progress window appears, its bar advances, the dialog goes on
// repainting but takes no input, and Cancel removes the output with no
// message after the question. Writes the progress window's screenshot.
#include <QDBusConnection>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cerrno>

#include "app/resource_ids.h"
#include "fw/core/win_app.h"
#include "fw/platform/process_command_line.h"
#include "fw/ui/message_box_style.h"
#include "fw/ui_backends/qt/dialog_peer.h"
#include "fw/ui_backends/qt/progress_window.h"
#include "fw/ui_backends/qt/ui_backend.h"
#include "qt_test_support.h"
#include "tests/expected_texts.h"
#include "tests/fw/file/file_faults.h"

using fw::qt::DialogPeer;
using fw::qt::ProgressWindow;
using qt_test::Control;

namespace {

ProgressWindow* VisibleProgressWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = dynamic_cast<ProgressWindow*>(widget);
        if (window != nullptr && window->isVisible())
            return window;
    }
    return nullptr;
}

bool AnyMessageBoxVisible() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMessageBox*>(widget) != nullptr && widget->isVisible())
            return true;
    }
    return false;
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// The launcher entry's progress signals the program sends on the session
// bus.
class LauncherSignals : public QObject {
    Q_OBJECT

public:
    QStringList apps;
    QList<QVariantMap> updates;

public Q_SLOTS:
    void Update(const QString& app, const QVariantMap& properties) {
        apps.append(app);
        updates.append(properties);
    }
};

} // namespace

class LongJoinTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void progressShowsAndCancelRemovesTheOutput() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        qputenv("HOME", folder.path().toUtf8());
        // Copying 64 GiB of holes takes far longer than the test waits.
        const QString large = folder.filePath(QStringLiteral("large.mpg"));
        const QString small = folder.filePath(QStringLiteral("small.mpg"));
        constexpr qint64 kLargeSize = qint64(64) << 30;
        {
            QFile file(large);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(kLargeSize));
            QFile other(small);
            QVERIFY(other.open(QIODevice::WriteOnly));
            other.write(QByteArray(6000, 'x'));
        }
        const QString output = folder.filePath(QStringLiteral("joined.mpg"));
        std::vector<QByteArray> words{"korvane", large.toUtf8(), small.toUtf8()};
        std::vector<char*> argv{words[0].data(), words[1].data(), words[2].data(), nullptr};
        fw::SetProcessArguments(3, argv.data());
        fw::qt::UiBackend backend("korvane");
        fw::SetBackend(&backend);
        // Where the test runs with a session bus, the taskbar progress is
        // watched there; without one it is skipped quietly.
        QGuiApplication::setDesktopFileName(QStringLiteral("org.korvane.Korvane"));
        const bool sessionBus = !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS");
        LauncherSignals launcher;
        if (sessionBus)
            QVERIFY(QDBusConnection::sessionBus().connect(
                QString(), QStringLiteral("/org/korvane/Korvane/LauncherEntry"),
                QStringLiteral("com.canonical.Unity.LauncherEntry"), QStringLiteral("Update"),
                &launcher, SLOT(Update(QString, QVariantMap))));

        QStringList items;
        QString heading;
        QList<int> bars;
        int paintsBefore = -1;
        int paintsDuring = -1;
        bool questionAgain = false;
        bool boxAfterCancel = false;
        bool outputDuringJoin = false;
        bool dialogOpenAfter = false;
        bool waitOutside = false;
        bool arrowOver = false;
        PaintCounter counter;
        const int status = qt_test::RunWithDriver(
            [] { return fw::RunApplication(); },
            [&](DialogPeer& window) {
                Control<QLineEdit>(window, IDC_OUTPUT)->setText(output);
                window.installEventFilter(&counter);
                qt_test::MessageBoxScript script(
                    {[](QMessageBox& box) { qt_test::Press(box, QMessageBox::Ok); }});

                QElapsedTimer clock;
                QTimer watch;
                watch.setInterval(50);
                QObject::connect(&watch, &QTimer::timeout, [&] {
                    ProgressWindow* progress = VisibleProgressWindow();
                    if (progress == nullptr) {
                        if (!clock.isValid())
                            clock.start();
                        if (clock.elapsed() > 20000) {
                            watch.stop();
                            QTest::qFail("no progress window", __FILE__, __LINE__);
                        }
                        return;
                    }
                    bars.append(progress->findChild<QProgressBar*>()->value());
                    if (bars.size() == 1) {
                        outputDuringJoin = QFile::exists(output);
                        // The dialog takes no input: the join button does
                        // not ask again.
                        QTest::mouseClick(Control<QPushButton>(window, fw::kIdOk), Qt::LeftButton);
                        questionAgain = AnyMessageBoxVisible();
                        paintsBefore = counter.paints;
                        window.update();
                    }
                    // Wait for the bar to move on and the time left to be known.
                    const QString remaining =
                        progress->findChild<QLabel*>(QStringLiteral("remaining"))->text();
                    if (bars.size() < 3 || bars.last() == bars.first() || remaining.isEmpty()) {
                        if (bars.size() > 400) {
                            watch.stop();
                            QTest::qFail("the bar did not advance", __FILE__, __LINE__);
                            progress->reject();
                        }
                        return;
                    }
                    watch.stop();
                    paintsDuring = counter.paints;
                    heading = progress->findChildren<QLabel*>().first()->text();
                    items.append(progress->findChild<QLabel*>(QStringLiteral("item"))->text());
                    QVERIFY(progress->grab().save(
                        qt_test::ScreenshotPath(QStringLiteral("progress_window.png"))));
                    // The pointer over the window is the arrow, the wait
                    // cursor everywhere else.
                    QCursor::setPos(window.frameGeometry().topLeft());
                    QTest::qWait(150);
                    waitOutside = QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
                    QTest::mouseMove(progress->findChild<QPushButton*>());
                    QTest::qWait(150);
                    arrowOver = QGuiApplication::overrideCursor()->shape() == Qt::ArrowCursor;
                    QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
                });
                watch.start();
                QTest::mouseClick(Control<QPushButton>(window, fw::kIdOk), Qt::LeftButton);
                // The join has ended.
                boxAfterCancel = AnyMessageBoxVisible();
                QTest::qWait(200); // the last signals arrive

                QCOMPARE(script.Answered(), 1);
                QVERIFY(QGuiApplication::overrideCursor() == nullptr);
                dialogOpenAfter = window.isVisible();
                window.close();
            },
            60000);
        fw::SetBackend(nullptr);

        QCOMPARE(status, 0);
        QVERIFY(!outputDuringJoin); // the new file takes the name only when whole
        QVERIFY(!questionAgain);
        QVERIFY(waitOutside);
        QVERIFY(arrowOver);
        QVERIFY(paintsDuring > paintsBefore);
        QVERIFY(bars.size() >= 3);
        for (qsizetype i = 1; i < bars.size(); ++i)
            QVERIFY(bars[i] >= bars[i - 1]);
        QVERIFY(bars.last() > bars.first());
        QVERIFY(bars.last() < 10000);
        QCOMPARE(heading, QStringLiteral("ファイルを結合しています…"));
        QCOMPARE(items, QStringList{large});
        QVERIFY(!boxAfterCancel);
        QVERIFY(dialogOpenAfter);
        QVERIFY(!QFile::exists(output));
        QCOMPARE(QFileInfo(large).size(), kLargeSize);
        QCOMPARE(QFileInfo(small).size(), qint64(6000));

        if (sessionBus) {
            QVERIFY(launcher.updates.size() >= 2);
            QCOMPARE(launcher.apps.first(),
                     QStringLiteral("application://org.korvane.Korvane.desktop"));
            QCOMPARE(launcher.updates.first().value(QStringLiteral("progress-visible")), true);
            QCOMPARE(launcher.updates.last().value(QStringLiteral("progress-visible")), false);
        }
    }

    // The copy runs on a thread of its own; a file error escaping it is
    // still reported once by the dialog, and the dialog goes on.
    void fileErrorOfTheCopyIsReportedByTheDialog() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        qputenv("HOME", folder.path().toUtf8());
        const QString input = folder.filePath(QStringLiteral("clip.mpg"));
        {
            QFile file(input);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(6000, 'x'));
        }
        std::vector<QByteArray> words{"korvane", input.toUtf8()};
        std::vector<char*> argv{words[0].data(), words[1].data(), nullptr};
        fw::SetProcessArguments(2, argv.data());
        fw::qt::UiBackend backend("korvane");
        fw::SetBackend(&backend);

        QString report;
        bool dialogUsable = false;
        const int status = qt_test::RunWithDriver(
            [] { return fw::RunApplication(); },
            [&](DialogPeer& window) {
                Control<QLineEdit>(window, IDC_OUTPUT)
                    ->setText(folder.filePath(QStringLiteral("out.mpg")));
                qt_test::MessageBoxScript script(
                    {[](QMessageBox& box) { qt_test::Press(box, QMessageBox::Ok); },
                     [&](QMessageBox& box) {
                         report = box.text();
                         qt_test::Press(box, QMessageBox::Ok);
                     },
                     [](QMessageBox& box) { qt_test::Press(box, QMessageBox::Cancel); }});
                file_faults::Inject(file_faults::FileOp::read, EACCES);
                QTest::mouseClick(Control<QPushButton>(window, fw::kIdOk), Qt::LeftButton);
                file_faults::Clear();
                // The dialog takes input again: the join button asks anew.
                QTest::mouseClick(Control<QPushButton>(window, fw::kIdOk), Qt::LeftButton);
                dialogUsable = script.Answered() == 3;
                window.close();
            });
        fw::SetBackend(nullptr);
        QCOMPARE(status, 0);
        QCOMPARE(report, QString::fromStdString(expected::Report(5, input.toStdString())));
        QVERIFY(dialogUsable);
    }
};

QTEST_MAIN(LongJoinTest)
#include "long_join_test.moc"
