#include "fw/ui_backends/qt/dialog_peer.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <map>

#include "fw/ui/dialog.h"
#include "fw/ui/message_box_style.h"
#include "fw/ui_backends/qt/control_peers.h"
#include "fw/ui_backends/qt/dialog_font.h"
#include "fw/ui_backends/qt/icon_button.h"
#include "fw/ui_backends/qt/title_bar.h"

namespace fw::qt {

namespace {

// Placement::start, centre and end along each axis.
constexpr Qt::AlignmentFlag kHorizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
constexpr Qt::AlignmentFlag kVertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};

Qt::Alignment AlignmentOf(Placement horizontal, Placement vertical) {
    return kHorizontal[static_cast<int>(horizontal)] | kVertical[static_cast<int>(vertical)];
}

// One painting pass. Painting is possible only inside the window's paint
// event; elsewhere the calls do nothing.
class PaintContext final : public IPaintContext {
public:
    // Client coordinates start clientTop pixels down the window.
    PaintContext(QWidget* window, bool painting, int clientTop) : m_window(window) {
        if (painting) {
            m_painter = std::make_unique<QPainter>(window);
            m_painter->translate(0, clientTop);
        }
    }

    void EraseIconBackground() override {
        if (m_painter)
            m_painter->fillRect(m_window->rect(), m_window->palette().window());
    }

    void DrawIcon(int x, int y, IconHandle icon) override {
        const auto* qicon = static_cast<const QIcon*>(icon.native);
        if (m_painter && qicon != nullptr) {
            const int side = m_window->style()->pixelMetric(QStyle::PM_LargeIconSize);
            m_painter->drawPixmap(x, y,
                                  qicon->pixmap(QSize(side, side), m_window->devicePixelRatio()));
        }
    }

private:
    QWidget* m_window;
    std::unique_ptr<QPainter> m_painter;
};

} // namespace

DialogPeer::DialogPeer(CDialog& dialog, const DialogTemplate& dialogTemplate) : m_dialog(dialog) {
    // A top-level window of its own (with a taskbar button): only a title,
    // the system menu and a close box.
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (TitleBar::Needed())
        flags |= Qt::FramelessWindowHint;
    setWindowFlags(flags);
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(QString::fromUtf8(dialogTemplate.caption.c_str()));
    setFont(DialogFont(dialogTemplate.fontFace, dialogTemplate.pointSize, dialogTemplate.fontWeight,
                       dialogTemplate.fontItalic));
    m_units = BaseUnitsOf(font());
    const QSize client(DialogUnitsToPixelsX(dialogTemplate.cx, m_units),
                       DialogUnitsToPixelsY(dialogTemplate.cy, m_units));
    if (TitleBar::Needed()) {
        auto* titleBar = new TitleBar(this);
        m_clientTop = titleBar->height();
        titleBar->setGeometry(0, 0, client.width(), m_clientTop);
    }
    setFixedSize(client.width(), m_clientTop + client.height());
    setSizeGripEnabled(false);
    CreateControls(dialogTemplate);
}

DialogPeer::~DialogPeer() = default;

QWidget* DialogPeer::CreateButton(const DialogControl& control) {
    auto* button = new IconButton(
        AlignmentOf(ButtonImageHorizontal(control), ButtonImageVertical(control)), this);
    const QString text = QString::fromUtf8(control.text.c_str());
    // Enter presses the default button wherever the focus is, so no other
    // button becomes the default while it has the focus.
    button->setAutoDefault(false);
    button->setDefault(control.IsDefaultButton());
    if (control.ShowsIcon()) {
        const int side = button->style()->pixelMetric(QStyle::PM_LargeIconSize);
        button->setIconSize(QSize(side, side));
        // An icon button does not draw its text: it is what the button is
        // called, spoken and in its tooltip.
        button->setAccessibleName(text);
        button->setToolTip(text);
    } else {
        button->setText(text);
    }
    const int id = control.id;
    connect(button, &QPushButton::clicked, this, [this, id] { m_dialog.HandleCommand(id); });
    if (id != -1)
        m_buttons[id] = std::make_unique<ButtonPeer>(button);
    return button;
}

QWidget* DialogPeer::CreateLabel(const DialogControl& control) {
    auto* label = new QLabel(QString::fromUtf8(control.text.c_str()), this);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(AlignmentOf(LabelHorizontal(control), Placement::start));
    return label;
}

QWidget* DialogPeer::CreateListBox(const DialogControl& control) {
    auto* list = new QListWidget(this);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(control.HasVerticalScrollBar() ? Qt::ScrollBarAsNeeded
                                                                    : Qt::ScrollBarAlwaysOff);
    list->setUniformItemSizes(true);
    if (!control.HasBorder())
        list->setFrameShape(QFrame::NoFrame);
    if (control.id != -1)
        m_lists[control.id] = std::make_unique<ListPeer>(list, control.IsSortedList());
    return list;
}

QWidget* DialogPeer::CreateEdit(const DialogControl& control) {
    auto* edit = new QLineEdit(this);
    edit->setFrame(control.HasBorder());
    if (control.id != -1)
        m_edits[control.id] = std::make_unique<EditPeer>(edit);
    return edit;
}

void DialogPeer::CreateControls(const DialogTemplate& dialogTemplate) {
    std::map<const DialogControl*, QWidget*> widgets;
    for (const DialogControl& control : dialogTemplate.controls) {
        const ControlKind kind = KindOf(control);
        QWidget* widget = kind == ControlKind::button    ? CreateButton(control)
                          : kind == ControlKind::label   ? CreateLabel(control)
                          : kind == ControlKind::listBox ? CreateListBox(control)
                          : kind == ControlKind::edit    ? CreateEdit(control)
                                                         : nullptr;
        if (widget == nullptr)
            continue; // a control class this backend does not draw

        widgets[&control] = widget;
        widget->setGeometry(
            DialogUnitsToPixels(control.x, control.y, control.cx, control.cy, m_units)
                .translated(0, m_clientTop));
        widget->setProperty("controlId", control.id);
        if (control.id != -1)
            widget->setObjectName(QString::number(control.id));
        widget->setHidden(!control.IsVisible());
        widget->setEnabled(!control.IsDisabled());
        if (kind != ControlKind::label) {
            if (control.IsTabStop()) {
                widget->setFocusPolicy(Qt::StrongFocus);
                m_tabStops.append(widget);
            } else {
                widget->setFocusPolicy(Qt::ClickFocus);
            }
        }
    }
    for (qsizetype i = 1; i < m_tabStops.size(); ++i)
        QWidget::setTabOrder(m_tabStops[i - 1], m_tabStops[i]);

    // A labelled control is named by its label, and the label points to it.
    for (const auto& [control, widget] : widgets) {
        const DialogControl* label = dialogTemplate.LabelOf(*control);
        const auto found = widgets.find(label);
        if (found == widgets.end())
            continue;
        widget->setAccessibleName(
            QString::fromUtf8(dialogTemplate.AccessibleName(*control).c_str()));
        if (auto* labelWidget = qobject_cast<QLabel*>(found->second))
            labelWidget->setBuddy(widget);
    }
}

int DialogPeer::RunModal() {
    m_ended = false;
    const bool focusFirst = m_dialog.HandleInitDialog();
    if (!m_ended) {
        CentreOnScreen();
        show();
        // Once shown, the window's frame may be known: centre the whole
        // window, frame included, as Windows does.
        CentreOnScreen();
        if (focusFirst)
            FocusFirstTabStop();
        raise();
        activateWindow();
    }
    if (!m_ended) {
        QEventLoop loop;
        m_loop = &loop;
        loop.exec(QEventLoop::DialogExec);
        m_loop = nullptr;
    }
    hide();
    return m_result;
}

void DialogPeer::CentreOnScreen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    const QSize outer = frameGeometry().size();
    move(area.center() - QPoint(outer.width() / 2, outer.height() / 2));
}

void DialogPeer::FocusFirstTabStop() {
    for (QWidget* widget : m_tabStops) {
        if (widget->isVisible() && widget->isEnabled()) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

IListPeer* DialogPeer::ListBox(int id) {
    return FindControlPeer(m_lists, id);
}

IEditPeer* DialogPeer::Edit(int id) {
    return FindControlPeer(m_edits, id);
}

IButtonPeer* DialogPeer::Button(int id) {
    return FindControlPeer(m_buttons, id);
}

void DialogPeer::EndDialog(int result) {
    m_result = result;
    m_ended = true;
    if (m_loop != nullptr)
        m_loop->quit();
}

void DialogPeer::SetIcon(IconHandle icon, bool /*big*/) {
    // Qt keeps one window icon in every size it has; both calls set it.
    if (const auto* qicon = static_cast<const QIcon*>(icon.native))
        setWindowIcon(*qicon);
}

void DialogPeer::RedrawAll() {
    if (isVisible())
        repaint();
}

bool DialogPeer::IsIconic() const {
    return isMinimized();
}

Rect DialogPeer::GetClientRect() const {
    return {0, 0, width(), height() - m_clientTop};
}

std::unique_ptr<IPaintContext> DialogPeer::BeginPaint() {
    return std::make_unique<PaintContext>(this, m_painting, m_clientTop);
}

void DialogPeer::DefaultPaint() {
    // Qt fills the background and paints the controls itself.
}

void DialogPeer::reject() {
    m_dialog.HandleCommand(kIdCancel);
}

void DialogPeer::closeEvent(QCloseEvent* event) {
    event->ignore();
    m_dialog.HandleCommand(kIdCancel);
}

void DialogPeer::paintEvent(QPaintEvent* /*event*/) {
    m_painting = true;
    m_dialog.HandlePaint();
    m_painting = false;
}

} // namespace fw::qt
