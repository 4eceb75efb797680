// Drives the real program from inside: a Qt generic plugin, loaded into
// korvane through QT_QPA_GENERIC_PLUGINS, that follows a script from the
// environment and logs what it sees, a line per event, to KORVANE_DRIVE_LOG.
// It puts KORVANE_DRIVE_OUTPUT into the output field and presses join, then
// answers each message box with the next of KORVANE_DRIVE_ANSWERS ("ok", or
// "quit": the application quits while the box shows), and each progress
// window too: it logs the item's full name, then "stop" presses its cancel
// button, "watch" logs every time left it shows until it closes, "press"
// presses join again through its accessibility action, as a screen reader
// does, "term" sends the program SIGTERM, as the session's end does, and
// "kill" SIGKILL, as the OOM killer does.
// With no answers left and no window showing, it closes the dialog.
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QGenericPlugin>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <csignal>
#include <unistd.h>

namespace {

QString Ignored(int signal) {
    struct sigaction action{};
    ::sigaction(signal, nullptr, &action);
    return action.sa_handler == SIG_IGN ? QStringLiteral("yes") : QStringLiteral("no");
}

void Log(const QString& line) {
    QFile log(qEnvironmentVariable("KORVANE_DRIVE_LOG"));
    if (log.open(QIODevice::Append))
        log.write((line + QLatin1Char('\n')).toUtf8());
}

class Driver : public QObject {
public:
    Driver() {
        m_answers = qEnvironmentVariable("KORVANE_DRIVE_ANSWERS").split(QLatin1Char(','));
        m_answers.removeAll(QString());
        Log(QStringLiteral("ignored SIGPIPE %1 SIGXFSZ %2")
                .arg(Ignored(SIGPIPE), Ignored(SIGXFSZ)));
        connect(&m_poll, &QTimer::timeout, this, [this] { Poll(); });
        m_poll.start(20);
    }

private:
    void Poll() {
        QDialog* dialog = nullptr;
        QWidget* progress = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (!widget->isVisible())
                continue;
            if (auto* box = qobject_cast<QMessageBox*>(widget)) {
                if (box != m_lastBox)
                    Answer(*box);
                return;
            }
            // The progress window is the dialog's child: its bar is its own.
            if (widget->isVisible() &&
                widget->findChild<QProgressBar*>(QString(), Qt::FindDirectChildrenOnly) != nullptr)
                progress = widget;
            else if (widget->isVisible() &&
                     widget->findChild<QLineEdit*>(QStringLiteral("1003")) != nullptr)
                dialog = static_cast<QDialog*>(widget);
        }
        if (progress != nullptr) {
            Watch(*progress);
            return;
        }
        if (dialog != nullptr && !m_started) {
            m_started = true;
            Log(QStringLiteral("dialog"));
            dialog->findChild<QLineEdit*>(QStringLiteral("1003"))
                ->setText(qEnvironmentVariable("KORVANE_DRIVE_OUTPUT"));
            // The join runs inside the click, through the boxes' own event
            // loops: clicked from a call of its own, polling goes on.
            QPointer<QPushButton> join = dialog->findChild<QPushButton*>(QStringLiteral("1"));
            m_join = join;
            QTimer::singleShot(0, this, [join] { join->click(); });
        } else if (dialog != nullptr && m_answers.isEmpty()) {
            Log(QStringLiteral("closed"));
            dialog->reject();
            m_poll.stop();
        }
    }

    void Answer(QMessageBox& box) {
        m_lastBox = &box;
        const char* kinds[] = {"none", "info", "warning", "stop", "ask"};
        Log(QString::fromLatin1(kinds[box.icon()]) + QLatin1Char(':') + box.text());
        if (box.windowTitle() != QStringLiteral("korvane"))
            Log(QStringLiteral("caption:") + box.windowTitle());
        if (!m_answers.isEmpty() && m_answers.takeFirst() == QStringLiteral("quit"))
            QCoreApplication::exit(0);
        else
            box.button(QMessageBox::Ok)->click();
    }

    void Watch(QWidget& window) {
        if (&window != m_lastProgress) {
            m_lastProgress = &window;
            m_watching = false;
            m_remaining.clear();
            Log(QStringLiteral("progress:") +
                window.findChild<QLabel*>(QStringLiteral("item"))->toolTip());
            if (m_answers.isEmpty())
                return;
            const QString answer = m_answers.takeFirst();
            if (answer == QStringLiteral("stop")) {
                window.findChild<QPushButton*>(QString(), Qt::FindDirectChildrenOnly)->click();
            } else if (answer == QStringLiteral("press") && m_join != nullptr) {
                QAccessibleInterface* join = QAccessible::queryAccessibleInterface(m_join);
                join->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            } else if (answer == QStringLiteral("term")) {
                ::kill(::getpid(), SIGTERM);
            } else if (answer == QStringLiteral("kill")) {
                ::kill(::getpid(), SIGKILL);
            } else {
                m_watching = true;
            }
        }
        const QString remaining = window.findChild<QLabel*>(QStringLiteral("remaining"))->text();
        if (m_watching && !remaining.isEmpty() && remaining != m_remaining) {
            m_remaining = remaining;
            Log(QStringLiteral("remaining:") + remaining);
        }
    }

    QStringList m_answers;
    QPointer<QWidget> m_lastProgress;
    bool m_watching = false;
    QString m_remaining;
    QTimer m_poll;
    QPointer<QMessageBox> m_lastBox;
    QPointer<QPushButton> m_join;
    bool m_started = false;
};

} // namespace

class DriverPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "driver_plugin.json")

public:
    QObject* create(const QString&, const QString&) override { return new Driver; }
};

#include "driver_plugin.moc"
