// The program on the Qt backend, from start-up to the joined file: the
// dropped files sorted, reordered with the buttons, Enter, Enter, Enter.
// Also writes the screenshots of the dialog and of a message box.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "app/resource_ids.h"
#include "fw/core/win_app.h"
#include "fw/platform/process_command_line.h"
#include "fw/ui/message_box_style.h"
#include "fw/ui_backends/qt/dialog_peer.h"
#include "fw/ui_backends/qt/ui_backend.h"
#include "qt_test_support.h"
#include "tests/expected_texts.h"

using fw::qt::DialogPeer;
using qt_test::Control;
using qt_test::MessageBoxScript;
using qt_test::Press;
using qt_test::RunWithDriver;

namespace {

QByteArray Clip(int number, int size) {
    QByteArray data(size, '\0');
    for (int i = 0; i < size; ++i)
        data[i] = static_cast<char>((number * 31 + i * 7 + i / 256) & 0xFF);
    return data;
}

void SetArguments(const QStringList& arguments) {
    std::vector<QByteArray> bytes;
    for (const QString& argument : arguments)
        bytes.push_back(argument.toUtf8());
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    fw::SetProcessArguments(static_cast<int>(bytes.size()), argv.data());
}

QStringList ListEntries(QListWidget* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries.append(list->item(i)->text());
    return entries;
}

} // namespace

class JoinFlowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<fw::qt::UiBackend> m_backend;
    QTemporaryDir m_folder;
    QString m_desktop;

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_folder.isValid());
        // A home of our own with a Desktop folder, so the proposal is known.
        const QString home = m_folder.filePath(QStringLiteral("home"));
        m_desktop = home + QStringLiteral("/Desktop");
        QVERIFY(QDir().mkpath(m_desktop));
        qputenv("HOME", home.toUtf8());
        qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/.config")).toUtf8());
        m_backend = std::make_unique<fw::qt::UiBackend>("/opt/tools/korvane");
        fw::SetBackend(m_backend.get());
    }

    void cleanupTestCase() {
        fw::SetBackend(nullptr);
        m_backend.reset();
    }

    void noFilesShowsOnlyTheMessage() {
        SetArguments({QStringLiteral("/opt/tools/korvane")});
        QString text;
        QString caption;
        int icon = -1;
        QPoint offCentre(-1, -1);
        MessageBoxScript script({[&](QMessageBox& box) {
            text = box.text();
            caption = box.windowTitle();
            icon = box.icon();
            // No dialog shows: the box stands alone, in the middle of the screen.
            offCentre = box.frameGeometry().center() - box.screen()->availableGeometry().center();
            Press(box, QMessageBox::Ok);
        }});
        bool shown = true;
        const int status =
            RunWithDriver([] { return fw::RunApplication(); },
                          [](DialogPeer& window) { window.EndDialog(-3); }, 5000, &shown);
        QCOMPARE(status, 0);
        QVERIFY(!shown);
        QCOMPARE(script.Answered(), 1);
        QCOMPARE(text, QString::fromStdString(expected::kNoFilesDropped));
        QCOMPARE(caption, QStringLiteral("korvane"));
        QCOMPARE(icon, int(QMessageBox::Information));
        QVERIFY2(qAbs(offCentre.x()) <= 1 && qAbs(offCentre.y()) <= 1,
                 qPrintable(QStringLiteral("%1,%2 off").arg(offCentre.x()).arg(offCentre.y())));
    }

    void reorderThenEnterEnterEnterJoins() {
        const QString clips = m_folder.filePath(QStringLiteral("Clips"));
        QVERIFY(QDir().mkpath(clips));
        const QList<QByteArray> data{Clip(1, 7000), Clip(2, 9000), Clip(3, 5001)};
        QStringList paths;
        for (int i = 0; i < 3; ++i) {
            paths.append(clips + QStringLiteral("/clip0%1.mpg").arg(i + 1));
            QFile file(paths.last());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(data[i]);
        }
        // Dropped in another order and letter case: listed sorted, case
        // ignored. clip03 is named in capitals.
        const QString third = clips + QStringLiteral("/CLIP03.mpg");
        QVERIFY(QFile::rename(paths[2], third));
        paths[2] = third;
        SetArguments({QStringLiteral("/opt/tools/korvane"), paths[2], paths[0], paths[1]});
        const QString output = m_desktop + QStringLiteral("/clip.mpg");

        QStringList boxTexts;
        bool arrowOverCompletion = false;
        const int status = RunWithDriver(
            [] { return fw::RunApplication(); },
            [&](DialogPeer& window) {
                auto* list = Control<QListWidget>(window, IDC_FILES);
                auto* edit = Control<QLineEdit>(window, IDC_OUTPUT);
                QCOMPARE(ListEntries(list), paths);
                QVERIFY(list->selectedItems().isEmpty());
                QCOMPARE(edit->text(), output);
                QVERIFY(!window.windowIcon().isNull()); // icon 128, set at initialisation
                QVERIFY(window.grab().save(qt_test::ScreenshotPath(QStringLiteral("dialog.png"))));

                // Move CLIP03 up one place: the order becomes 1, 3, 2.
                list->setCurrentRow(2);
                QTest::mouseClick(Control<QPushButton>(window, IDC_MOVE_UP), Qt::LeftButton);
                QCOMPARE(ListEntries(list), (QStringList{paths[0], paths[2], paths[1]}));
                QCOMPARE(list->currentRow(), 1);

                MessageBoxScript script({[&](QMessageBox& box) {
                                             boxTexts.append(box.text());
                                             QCOMPARE(box.icon(), QMessageBox::Question);
                                             QCOMPARE(box.windowTitle(), QStringLiteral("korvane"));
                                             QVERIFY(box.grab().save(qt_test::ScreenshotPath(
                                                 QStringLiteral("message_box.png"))));
                                             QTest::keyClick(&box, Qt::Key_Return);
                                         },
                                         [&](QMessageBox& box) {
                                             boxTexts.append(box.text());
                                             QCOMPARE(box.icon(), QMessageBox::Information);
                                             // The join has ended its wait cursor by now.
                                             arrowOverCompletion =
                                                 QGuiApplication::overrideCursor() == nullptr;
                                             QTest::keyClick(&box, Qt::Key_Return);
                                         }});
                list->setFocus();
                QTest::keyClick(list, Qt::Key_Return);
                QCOMPARE(script.Answered(), 2);
                // The dialog stays open, the list as it was.
                QVERIFY(window.isVisible());
                QCOMPARE(ListEntries(list), (QStringList{paths[0], paths[2], paths[1]}));
                QTest::keyClick(&window, Qt::Key_Escape);
            });
        QCOMPARE(status, 0);
        QCOMPARE(boxTexts, (QStringList{QString::fromStdString(expected::kConfirmJoin),
                                        QString::fromStdString(expected::kJoinComplete)}));
        QVERIFY(arrowOverCompletion);

        QFile joined(output);
        QVERIFY(joined.open(QIODevice::ReadOnly));
        QCOMPARE(joined.readAll(), data[0] + data[2].mid(5000) + data[1].mid(5000));
    }

    void failedCreateShowsStopWithArrowAndEndsTheWaitCursor() {
        const QString clip = m_folder.filePath(QStringLiteral("one.mpg"));
        {
            QFile file(clip);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(Clip(4, 6000));
        }
        SetArguments({QStringLiteral("korvane"), clip});
        const QString output = m_folder.filePath(QStringLiteral("missing/out.mpg"));
        QString stopText;
        Qt::CursorShape overStop = Qt::BitmapCursor;
        const int status =
            RunWithDriver([] { return fw::RunApplication(); },
                          [&](DialogPeer& window) {
                              auto* edit = Control<QLineEdit>(window, IDC_OUTPUT);
                              edit->setText(output);
                              MessageBoxScript script(
                                  {[](QMessageBox& box) { Press(box, QMessageBox::Ok); },
                                   [&](QMessageBox& box) {
                                       stopText = box.text();
                                       if (const QCursor* c = QGuiApplication::overrideCursor())
                                           overStop = c->shape();
                                       Press(box, QMessageBox::Ok);
                                   }});
                              QTest::mouseClick(Control<QPushButton>(window, 1), Qt::LeftButton);
                              QCOMPARE(script.Answered(), 2);
                              QVERIFY(QGuiApplication::overrideCursor() == nullptr);
                              window.close();
                          });
        QCOMPARE(status, 0);
        QCOMPARE(stopText, QStringLiteral("保存先のファイル「") + output +
                               QStringLiteral("」を作成することが出来ませんでした。"));
        QCOMPARE(overStop, Qt::ArrowCursor);
    }
};

QTEST_MAIN(JoinFlowTest)
#include "join_flow_test.moc"
