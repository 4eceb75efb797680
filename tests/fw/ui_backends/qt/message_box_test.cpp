// Message boxes and the wait cursor of the Qt backend.
#include <QAbstractButton>
#include <QCursor>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTest>
#include <memory>

#include "app/join_dialog_template.h"
#include "fw/ui/message_box_style.h"
#include "fw/ui_backends/qt/dialog_peer.h"
#include "fw/ui_backends/qt/ui_backend.h"
#include "qt_test_support.h"

using fw::qt::DialogPeer;
using qt_test::MessageBoxScript;
using qt_test::Press;
using qt_test::ProbeDialog;
using qt_test::RunDialog;

namespace {

QMessageBox::StandardButtons Buttons(const QMessageBox& box) {
    QMessageBox::StandardButtons buttons;
    for (QAbstractButton* button : box.buttons())
        buttons |= box.standardButton(button);
    return buttons;
}

Qt::CursorShape OverrideShape() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor != nullptr ? cursor->shape() : Qt::BitmapCursor; // none: a shape never set
}

} // namespace

class MessageBoxTest : public QObject {
    Q_OBJECT

    std::unique_ptr<fw::qt::UiBackend> m_backend;

private Q_SLOTS:
    void initTestCase() {
        m_backend = std::make_unique<fw::qt::UiBackend>("/usr/bin/korvane");
        fw::SetBackend(m_backend.get());
        RegisterJoinDialogTemplate();
    }

    void cleanupTestCase() {
        fw::SetBackend(nullptr);
        m_backend.reset();
    }

    void kindsShowIconButtonsCaptionAndText_data() {
        QTest::addColumn<unsigned>("style");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("press");
        QTest::addColumn<int>("answer");
        const int ok = QMessageBox::Ok;
        const int okCancel = QMessageBox::Ok | QMessageBox::Cancel;
        QTest::newRow("information") << fw::kMbInformation << int(QMessageBox::Information) << ok
                                     << int(QMessageBox::Ok) << fw::kIdOk;
        QTest::newRow("stop") << fw::kMbStop << int(QMessageBox::Critical) << ok
                              << int(QMessageBox::Ok) << fw::kIdOk;
        QTest::newRow("question, OK") << fw::kMbQuestionOkCancel << int(QMessageBox::Question)
                                      << okCancel << int(QMessageBox::Ok) << fw::kIdOk;
        QTest::newRow("question, Cancel") << fw::kMbQuestionOkCancel << int(QMessageBox::Question)
                                          << okCancel << int(QMessageBox::Cancel) << fw::kIdCancel;
    }

    void kindsShowIconButtonsCaptionAndText() {
        QFETCH(unsigned, style);
        QFETCH(int, icon);
        QFETCH(int, buttons);
        QFETCH(int, press);
        QFETCH(int, answer);
        const std::string text = "「/v/<b>a</b>.mpg」を開くことが出来ませんでした。";

        ProbeDialog dialog;
        RunDialog(dialog, [&](DialogPeer& window) {
            MessageBoxScript script({[&](QMessageBox& box) {
                QCOMPARE(box.windowTitle(), QStringLiteral("korvane"));
                // Shown as plain text: the angle brackets of a path stay.
                QCOMPARE(box.text(), QString::fromStdString(text));
                QCOMPARE(box.textFormat(), Qt::PlainText);
                QCOMPARE(int(box.icon()), icon);
                QCOMPARE(int(Buttons(box)), buttons);
                QCOMPARE(box.parentWidget(), &window); // owned by the dialog
                QVERIFY(box.isModal());
                Press(box, QMessageBox::StandardButton(press));
            }});
            const int got = m_backend->ShowMessageBox(&window, text, "korvane", style);
            QCOMPARE(script.Answered(), 1);
            QCOMPARE(got, answer);
            window.EndDialog(fw::kIdCancel);
        });
    }

    void escapeAnswersCancelOrOk() {
        ProbeDialog dialog;
        RunDialog(dialog, [&](DialogPeer& window) {
            const auto escape = [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); };
            {
                MessageBoxScript script({escape});
                QCOMPARE(m_backend->ShowMessageBox(&window, "?", "k", fw::kMbQuestionOkCancel),
                         fw::kIdCancel);
            }
            {
                MessageBoxScript script({escape});
                QCOMPARE(m_backend->ShowMessageBox(&window, "i", "k", fw::kMbInformation),
                         fw::kIdOk);
            }
            {
                // Enter takes the default button, OK.
                MessageBoxScript script(
                    {[](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); }});
                QCOMPARE(m_backend->ShowMessageBox(&window, "?", "k", fw::kMbQuestionOkCancel),
                         fw::kIdOk);
            }
            window.EndDialog(fw::kIdCancel);
        });
    }

    void waitCursorCountsAndGivesWayToBoxes() {
        QCOMPARE(OverrideShape(), Qt::BitmapCursor);
        m_backend->BeginWaitCursor();
        QCOMPARE(OverrideShape(), Qt::WaitCursor);
        m_backend->BeginWaitCursor();
        m_backend->EndWaitCursor();
        QCOMPARE(OverrideShape(), Qt::WaitCursor); // one begin still open

        // A box shown meanwhile has the arrow; the wait cursor comes back.
        Qt::CursorShape overBox = Qt::BitmapCursor;
        MessageBoxScript script({[&](QMessageBox& box) {
            overBox = OverrideShape();
            Press(box, QMessageBox::Ok);
        }});
        m_backend->ShowMessageBox(nullptr, "stop", "korvane", fw::kMbStop);
        QCOMPARE(overBox, Qt::ArrowCursor);
        QCOMPARE(OverrideShape(), Qt::WaitCursor);

        m_backend->EndWaitCursor();
        QCOMPARE(OverrideShape(), Qt::BitmapCursor);
        m_backend->EndWaitCursor(); // an unmatched end changes nothing
        QCOMPARE(OverrideShape(), Qt::BitmapCursor);
    }
};

QTEST_MAIN(MessageBoxTest)
#include "message_box_test.moc"
