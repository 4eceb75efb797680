#include "fw/ui_backends/qt/control_peers.h"

#include "fw/ui/sorted_insert.h"

#include <QByteArray>
#include <QIcon>
#include <QItemSelectionModel>
#include <QLocale>
#include <memory>

namespace fw::qt {

namespace {
constexpr int kBytesRole = Qt::UserRole;
}

ListPeer::ListPeer(QListWidget* widget, bool sorted)
    : m_widget(widget), m_sorted(sorted), m_collator(QLocale()) {
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

std::string ListPeer::EntryBytes(int index) const {
    const QByteArray bytes = m_widget->item(index)->data(kBytesRole).toByteArray();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

void ListPeer::InsertAt(int index, const std::string& text) {
    auto item = std::make_unique<QListWidgetItem>(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    item->setData(kBytesRole, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    m_widget->insertItem(index, item.release());
}

int ListPeer::AddString(const std::string& text) {
    int index = m_widget->count();
    if (m_sorted) {
        const QString key = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        index = SortedInsertIndex(
            index, [&](int i) { return m_collator.compare(key, m_widget->item(i)->text()) < 0; });
    }
    InsertAt(index, text);
    return index;
}

int ListPeer::InsertString(int index, const std::string& text) {
    if (index == -1)
        index = m_widget->count();
    if (index < 0 || index > m_widget->count())
        return -1;
    InsertAt(index, text);
    return index;
}

int ListPeer::DeleteString(int index) {
    if (index < 0 || index >= m_widget->count())
        return -1;
    // As in a Windows list box, removing the selected entry leaves no
    // selection (Qt would move it to the next entry).
    const bool wasSelected = GetCurSel() == index;
    std::unique_ptr<QListWidgetItem> removed(m_widget->takeItem(index));
    if (wasSelected)
        SetCurSel(-1);
    return m_widget->count();
}

int ListPeer::GetCount() const {
    return m_widget->count();
}

int ListPeer::GetText(int index, std::string& text) const {
    if (index < 0 || index >= m_widget->count())
        return -1;
    text = EntryBytes(index);
    return static_cast<int>(text.size());
}

int ListPeer::GetCurSel() const {
    const QList<QListWidgetItem*> selected = m_widget->selectedItems();
    return selected.isEmpty() ? -1 : m_widget->row(selected.first());
}

int ListPeer::SetCurSel(int index) {
    if (index < 0 || index >= m_widget->count()) {
        m_widget->clearSelection();
        m_widget->setCurrentRow(-1, QItemSelectionModel::Clear);
        return -1;
    }
    m_widget->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    m_widget->scrollToItem(m_widget->item(index));
    return index;
}

std::string EditPeer::GetText() const {
    const QString shown = m_widget->text();
    if (shown == m_setText)
        return m_setBytes;
    const QByteArray bytes = shown.toUtf8();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

void EditPeer::SetText(const std::string& text) {
    m_setBytes = text;
    m_setText = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    m_widget->setText(m_setText);
    m_widget->setCursorPosition(0);
}

void ButtonPeer::SetIcon(IconHandle icon) {
    const auto* qicon = static_cast<const QIcon*>(icon.native);
    m_widget->setIcon(qicon != nullptr ? *qicon : QIcon());
}

} // namespace fw::qt
