// The Qt dialog window: layout from template 102, keyboard and mouse
// routing, the icon buttons.
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <memory>

#include "app/join_dialog_template.h"
#include "app/resource_ids.h"
#include "fw/ui/message_box_style.h"
#include "fw/ui/win32_values.h"
#include "fw/ui_backends/qt/dialog_peer.h"
#include "fw/ui_backends/qt/dialog_units.h"
#include "fw/ui_backends/qt/icon_button.h"
#include "fw/ui_backends/qt/ui_backend.h"
#include "qt_test_support.h"

using fw::qt::DialogPeer;
using qt_test::Control;
using qt_test::ProbeDialog;
using qt_test::RunDialog;

namespace {

// Rows of the button's painted image that hold pixels of colour inside
// rect (in device pixels), with how many each has, top row first.
std::vector<int> PixelsPerRow(const QImage& image, const QRect& rect, const QColor& colour) {
    std::vector<int> rows;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        int count = 0;
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (image.rect().contains(x, y) && image.pixel(x, y) == colour.rgb())
                ++count;
        }
        if (count > 0)
            rows.push_back(count);
    }
    return rows;
}

QPalette DarkPalette() {
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::ButtonText, QColor(0xf0, 0xf0, 0xf0));
    dark.setColor(QPalette::WindowText, QColor(0xf0, 0xf0, 0xf0));
    dark.setColor(QPalette::Text, QColor(0xf0, 0xf0, 0xf0));
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    return dark;
}

} // namespace

class DialogPeerTest : public QObject {
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

    void iconsLoadFromTheProgramWithTransparency() {
        const fw::IconHandle app = m_backend->LoadIconResource(IDR_MAINFRAME);
        QVERIFY(app);
        QCOMPARE(m_backend->LoadIconResource(IDR_MAINFRAME), app); // loaded once
        QVERIFY(!m_backend->LoadIconResource(999));
        const QImage image = static_cast<const QIcon*>(app.native)
                                 ->pixmap(QSize(32, 32), 1.0)
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(32, 32));
        // The corners lie outside the film strip: transparent. Its middle
        // holds the pink frame or the dark marks, opaque.
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(31, 31)), 0);
        QCOMPARE(qAlpha(image.pixel(16, 15)), 255);
        int pink = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const QRgb p = image.pixel(x, y);
                if (qAlpha(p) == 255 && qRed(p) > 200 && qGreen(p) < 150 && qBlue(p) > 140)
                    ++pink;
            }
        }
        QVERIFY2(pink > 100, qPrintable(QString::number(pink)));
    }

    void dialogUnitsUseBaseUnitsAndRoundHalfAway() {
        const fw::qt::BaseUnits base{6, 12};
        // The join button of template 102 with base units (6, 12).
        QCOMPARE(fw::qt::DialogUnitsToPixels(277, 226, 35, 14, base), QRect(416, 339, 53, 21));
        // 7 x 6 / 4 = 10.5 and 3 x 12 / 8 = 4.5 round away from zero.
        QCOMPARE(fw::qt::DialogUnitsToPixelsX(7, base), 11);
        QCOMPARE(fw::qt::DialogUnitsToPixelsY(3, base), 5);
        QCOMPARE(fw::qt::DialogUnitsToPixelsX(-7, base), -11);
        QCOMPARE(fw::qt::DialogUnitsToPixelsY(0, base), 0);
    }

    void windowAndControlsFollowTheTemplate() {
        const fw::DialogTemplate& layout = JoinDialogTemplate();
        ProbeDialog dialog;
        const int result = RunDialog(dialog, [&](DialogPeer& window) {
            const fw::qt::BaseUnits base = window.Units();
            // The base units are the dialog font's: its height, and an
            // average Latin letter width that a 9 point font can have.
            QCOMPARE(base.cy, QFontMetrics(window.font()).height());
            QVERIFY2(base.cx >= 4 && base.cx <= 10, qPrintable(QString::number(base.cx)));

            const QSize client(fw::qt::DialogUnitsToPixelsX(layout.cx, base),
                               fw::qt::DialogUnitsToPixelsY(layout.cy, base));
            QCOMPARE(window.size(), client);
            QCOMPARE(window.minimumSize(), client);
            QCOMPARE(window.maximumSize(), client);
            QCOMPARE(window.windowTitle(), QStringLiteral("Korvane"));
            const Qt::WindowFlags flags = window.windowFlags();
            QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
            QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
            QVERIFY(flags & Qt::WindowCloseButtonHint);

            // Centred on the screen when first shown, frame included.
            const QRect screen = window.screen()->availableGeometry();
            const QRect outer = window.frameGeometry();
            QVERIFY(qAbs(outer.center().x() - screen.center().x()) <= 1);
            QVERIFY(qAbs(outer.center().y() - screen.center().y()) <= 1);

            int labels = 0;
            const QList<QLabel*> shownLabels = window.findChildren<QLabel*>();
            for (const fw::DialogControl& control : layout.controls) {
                const QRect expected =
                    fw::qt::DialogUnitsToPixels(control.x, control.y, control.cx, control.cy, base);
                const QString text = QString::fromUtf8(control.text.c_str());
                if (control.id == -1) {
                    // Static texts have no id: find them by text.
                    QLabel* label = nullptr;
                    for (QLabel* candidate : shownLabels) {
                        if (candidate->text() == text)
                            label = candidate;
                    }
                    QVERIFY2(label != nullptr, qPrintable(text));
                    QCOMPARE(label->geometry(), expected);
                    // Each label names its control for a screen reader.
                    QVERIFY(label->buddy() != nullptr);
                    QCOMPARE(label->buddy(), Control<QWidget>(window, control.labelFor));
                    QVERIFY(label->isVisible());
                    // The dialog font keeps each label within its control
                    // (a wider substitute font would clip the text).
                    const int textWidth = label->fontMetrics().horizontalAdvance(text);
                    QVERIFY2(textWidth <= label->contentsRect().width(),
                             qPrintable(QStringLiteral("%1: %2 px in %3 px, font %4")
                                            .arg(text)
                                            .arg(textWidth)
                                            .arg(label->contentsRect().width())
                                            .arg(QFontInfo(label->font()).family())));
                    ++labels;
                    continue;
                }
                QWidget* widget = Control<QWidget>(window, control.id);
                QVERIFY2(widget != nullptr, qPrintable(QString::number(control.id)));
                QCOMPARE(widget->geometry(), expected);
                QCOMPARE(widget->isVisible(),
                         (control.style & static_cast<std::uint32_t>(KV_WS_VISIBLE)) != 0);
                if (control.className == "Button") {
                    auto* button = qobject_cast<QPushButton*>(widget);
                    QVERIFY(button != nullptr);
                    const bool icon = control.ShowsIcon();
                    QCOMPARE(button->text(), icon ? QString() : text);
                    QCOMPARE(button->toolTip(), icon ? text : QString());
                    QCOMPARE(button->accessibleName(), icon ? text : QString());
                    QCOMPARE(button->isDefault(), control.id == fw::kIdOk);
                } else if (control.className == "ListBox") {
                    QVERIFY(qobject_cast<QListWidget*>(widget) != nullptr);
                } else if (control.className == "Edit") {
                    QVERIFY(qobject_cast<QLineEdit*>(widget) != nullptr);
                }
            }
            QCOMPARE(labels, 2);
            QCOMPARE(Control<QWidget>(window, IDC_FILES)->accessibleName(),
                     QStringLiteral("結合するファイルの一覧"));
            QCOMPARE(Control<QWidget>(window, IDC_OUTPUT)->accessibleName(),
                     QStringLiteral("保存先"));
            QCOMPARE(Control<QPushButton>(window, 1)->text(), QStringLiteral("結合"));
            QVERIFY(!Control<QListWidget>(window, IDC_SORTED)->isVisible());

            // The first tab stop (the join button) has the focus; Tab goes
            // through the visible tab stops in template order.
            QWidget* focus = window.focusWidget();
            QCOMPARE(focus, Control<QWidget>(window, 1));
            QList<int> order;
            QWidget* widget = focus;
            do {
                if (widget->isVisible() && (widget->focusPolicy() & Qt::TabFocus) &&
                    widget->property("controlId").isValid())
                    order.append(widget->property("controlId").toInt());
                widget = widget->nextInFocusChain();
            } while (widget != focus && order.size() < 20);
            QCOMPARE(order, (QList<int>{1, IDC_MOVE_UP, IDC_MOVE_DOWN, IDC_FILES, IDC_OUTPUT}));

            window.EndDialog(7);
        });
        QCOMPARE(result, 7);
    }

    void dialogFontShowsJapanese() {
        ProbeDialog dialog;
        RunDialog(dialog, [&](DialogPeer& window) {
            const QFontInfo info(window.font());
            QCOMPARE(info.pointSize(), 9);
            const QList<QFontDatabase::WritingSystem> systems =
                QFontDatabase::writingSystems(info.family());
            QVERIFY2(systems.contains(QFontDatabase::Japanese), qPrintable(info.family()));
            // The base units come from that same Japanese font.
            const QFontMetrics metrics(window.font());
            for (const QChar c : QStringLiteral("結合するファイルの一覧：保存先"))
                QVERIFY2(metrics.inFont(c), qPrintable(QString(c)));
            window.EndDialog(fw::kIdCancel);
        });
    }

    void enterAnywherePressesTheJoinButton() {
        ProbeDialog dialog;
        dialog.onInit = [](ProbeDialog& d) {
            d.m_lstFiles.AddString("/v/a.mpg");
            d.m_lstFiles.AddString("/v/b.mpg");
        };
        const int result = RunDialog(dialog, [&](DialogPeer& window) {
            auto* list = Control<QListWidget>(window, IDC_FILES);
            auto* edit = Control<QLineEdit>(window, IDC_OUTPUT);
            auto* up = Control<QPushButton>(window, IDC_MOVE_UP);
            auto* down = Control<QPushButton>(window, IDC_MOVE_DOWN);

            list->setFocus();
            QTest::keyClick(list, Qt::Key_Return);
            QCOMPARE(dialog.commands, (std::vector<int>{1}));
            QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
            QCOMPARE(dialog.commands, (std::vector<int>{1, 1}));

            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_Return);
            QCOMPARE(dialog.commands, (std::vector<int>{1, 1, 1}));

            // Even with the focus on an order button, Enter joins.
            up->setFocus();
            QTest::keyClick(up, Qt::Key_Return);
            QCOMPARE(dialog.commands, (std::vector<int>{1, 1, 1, 1}));

            // Clicks reach the message table's handlers.
            QTest::mouseClick(up, Qt::LeftButton);
            QTest::mouseClick(down, Qt::LeftButton);
            QTest::mouseClick(Control<QPushButton>(window, 1), Qt::LeftButton);
            QCOMPARE(dialog.commands,
                     (std::vector<int>{1, 1, 1, 1, IDC_MOVE_UP, IDC_MOVE_DOWN, 1}));

            // The joins left the dialog open; Escape from the list ends it.
            QVERIFY(window.isVisible());
            QTest::keyClick(list, Qt::Key_Escape);
        });
        QCOMPARE(result, fw::kIdCancel);
    }

    void closeBoxCancels() {
        ProbeDialog dialog;
        const int result = RunDialog(dialog, [](DialogPeer& window) { window.close(); });
        QCOMPARE(result, fw::kIdCancel);
        QVERIFY(dialog.commands.empty());
    }

    void endingDuringInitialisationNeverShowsTheWindow() {
        ProbeDialog dialog;
        dialog.onInit = [](ProbeDialog& d) { d.EndDialog(fw::kIdCancel); };
        bool shown = true;
        const int result =
            RunDialog(dialog, [](DialogPeer& window) { window.EndDialog(-3); }, 2000, &shown);
        QCOMPARE(result, fw::kIdCancel);
        QVERIFY(!shown);
        QVERIFY(dialog.Peer() == nullptr);
    }

    // Run at 100 % and, with QT_SCALE_FACTOR=2, at 200 %.
    void orderButtonsShowSharpTrianglesInTheButtonTextColour() {
        const qreal ratio = qApp->devicePixelRatio();
        QVERIFY(ratio == 1.0 || ratio == 2.0);
        // The triangle drawn for the scale: 9 x 5 at 100 %, 19 x 10 at 200 %,
        // every row whole in the one colour (no smeared edges).
        std::vector<int> widening;
        for (int width = 1; width <= (ratio == 1.0 ? 9 : 19); width += 2)
            widening.push_back(width);
        const std::vector<int> narrowing(widening.rbegin(), widening.rend());
        ProbeDialog dialog;
        RunDialog(dialog, [&](DialogPeer& window) {
            for (const bool dark : {false, true}) {
                window.setPalette(dark ? DarkPalette() : QPalette());
                const QString scale = QString::number(qRound(ratio * 100));
                window.grab().save(qt_test::ScreenshotPath(
                    QStringLiteral("dialog-%1-%2.png").arg(dark ? "dark" : "light", scale)));
                for (const int id : {IDC_MOVE_UP, IDC_MOVE_DOWN}) {
                    auto* button = Control<fw::qt::IconButton>(window, id);
                    QVERIFY(button != nullptr);
                    QVERIFY(!button->icon().isNull());
                    for (const bool enabled : {false, true}) {
                        button->setEnabled(enabled);
                        const QColor ink = button->palette().color(
                            enabled ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
                        const QImage image = button->grab().toImage();
                        const QRect rect(button->ImageRect().topLeft() * ratio,
                                         button->ImageRect().size() * ratio);
                        const std::vector<int> rows = PixelsPerRow(image, rect, ink);
                        // Widening downwards on the up button (icon 134),
                        // narrowing on the down button (icon 133).
                        QCOMPARE(rows, id == IDC_MOVE_UP ? widening : narrowing);
                    }
                    QVERIFY(button->rect().contains(button->ImageRect().topLeft() + QPoint(11, 4)));
                }
            }
            window.EndDialog(fw::kIdCancel);
        });
    }
};

QTEST_MAIN(DialogPeerTest)
#include "dialog_peer_test.moc"
