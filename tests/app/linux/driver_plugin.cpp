// Drives the real program from inside: a Qt generic plugin, loaded into
// korvane through QT_QPA_GENERIC_PLUGINS, that follows a script given in
// the environment and writes what it saw to a log, one line per event:
//   KORVANE_DRIVE_LOG      the log file
//   KORVANE_DRIVE_OUTPUT   text put into the output field before the join
//   KORVANE_DRIVE_ANSWERS  answers to the message boxes in turn: "ok", or
//                          "quit" (the application quits while the box shows)
// Once the answers are used up and no box shows, the dialog is closed.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QGenericPlugin>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <csignal>

namespace {

bool Ignored(int signal) {
    struct sigaction action {};
    return ::sigaction(signal, nullptr, &action) == 0 && action.sa_handler == SIG_IGN;
}

const char* Kind(QMessageBox::Icon icon) {
    switch (icon) {
    case QMessageBox::Information:
        return "info";
    case QMessageBox::Critical:
        return "stop";
    case QMessageBox::Question:
        return "ask";
    default:
        return "other";
    }
}

class Driver : public QObject {
public:
    Driver() {
        m_answers = qEnvironmentVariable("KORVANE_DRIVE_ANSWERS").split(QLatin1Char(','));
        m_answers.removeAll(QString());
        Log(QStringLiteral("ignored SIGPIPE %1 SIGXFSZ %2")
                .arg(Ignored(SIGPIPE) ? QStringLiteral("yes") : QStringLiteral("no"),
                     Ignored(SIGXFSZ) ? QStringLiteral("yes") : QStringLiteral("no")));
        connect(&m_poll, &QTimer::timeout, this, [this] { Poll(); });
        m_poll.start(20);
    }

private:
    void Log(const QString& line) {
        QFile log(qEnvironmentVariable("KORVANE_DRIVE_LOG"));
        if (log.open(QIODevice::Append | QIODevice::Text))
            log.write((line + QLatin1Char('\n')).toUtf8());
    }

    void Poll() {
        QDialog* dialog = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (!widget->isVisible())
                continue;
            if (auto* box = qobject_cast<QMessageBox*>(widget)) {
                if (box != m_lastBox)
                    Answer(*box);
                return;
            }
            if (auto* window = qobject_cast<QDialog*>(widget))
                dialog = window;
        }
        if (dialog == nullptr)
            return;
        if (!m_started) {
            m_started = true;
            Log(QStringLiteral("dialog"));
            if (qEnvironmentVariableIsSet("KORVANE_DRIVE_OUTPUT")) {
                if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("1003")))
                    edit->setText(qEnvironmentVariable("KORVANE_DRIVE_OUTPUT"));
            }
            // The join runs inside the click, with the boxes' own event
            // loops: clicked from a call of its own, so polling goes on.
            QPointer<QPushButton> join = dialog->findChild<QPushButton*>(QStringLiteral("1"));
            QTimer::singleShot(0, this, [join] {
                if (join)
                    join->click();
            });
        } else if (m_answers.isEmpty()) {
            Log(QStringLiteral("closed"));
            dialog->reject();
            m_poll.stop();
        }
    }

    void Answer(QMessageBox& box) {
        m_lastBox = &box;
        Log(QStringLiteral("%1:%2").arg(QString::fromLatin1(Kind(box.icon())), box.text()));
        if (box.windowTitle() != QStringLiteral("korvane"))
            Log(QStringLiteral("caption:") + box.windowTitle());
        const QString answer = m_answers.isEmpty() ? QStringLiteral("ok") : m_answers.takeFirst();
        if (answer == QStringLiteral("quit")) {
            QCoreApplication::exit(0);
            return;
        }
        box.button(QMessageBox::Ok)->click();
    }

    QStringList m_answers;
    QTimer m_poll;
    QPointer<QMessageBox> m_lastBox;
    bool m_started = false;
};

} // namespace

class DriverPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "driver_plugin.json")

public:
    QObject* create(const QString& key, const QString&) override {
        return key == QStringLiteral("korvanedriver") ? new Driver : nullptr;
    }
};

#include "driver_plugin.moc"
